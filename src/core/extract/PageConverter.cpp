// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/PageConverter.h"
#include "core/base/AtomicFileWriter.h"
#include "core/base/FileReader.h"

#include "core/extract/PageText.h"

namespace {

std::string semiHtml(const std::string& page)
{
    std::string out;
    out.reserve(page.size());
    size_t pos = 0;
    while (pos < page.size()) {
        const size_t open = page.find('<', pos);
        if (open == std::string::npos) {
            out.append(page, pos);
            break;
        }
        out.append(page, pos, open + 1 - pos);
        const size_t close = page.find('>', open + 1);
        if (close == std::string::npos)
            break;
        pos = close;
    }
    return out;
}

std::string textOnly(const std::string& page)
{
    std::string out;
    out.reserve(page.size());
    size_t pos = 0;
    while (pos < page.size()) {
        const size_t open = page.find('<', pos);
        const size_t runEnd = open == std::string::npos ? page.size() : open;
        if (runEnd > pos) {
            out.append(page, pos, runEnd - pos);
            out += ' ';
        }
        if (open == std::string::npos)
            break;
        const size_t close = page.find('>', open + 1);
        if (close == std::string::npos)
            break;
        pos = close + 1;
    }
    return out;
}

} // namespace

namespace PageConverter {

std::string convertPage(Mode mode, const std::string& page)
{
    switch (mode) {
    case Mode::None:
        return page;
    case Mode::SemiHtml:
        return semiHtml(page);
    case Mode::TextOnly:
        return textOnly(page);
    default:
        return {};
    }
}

Status convertPageFile(Mode mode, const std::string& sourcePath, const std::string& targetPath)
{
    std::string converted;
    if (std::optional<std::string> bytes = readWholeFile(sourcePath))
        converted = convertPage(mode, PageText::normalizeEncoding(std::move(*bytes)));
    if (!AtomicFileWriter::save(targetPath, converted).saved)
        return Status::error(Status::Code::FileError, "The converted page could not be written.");
    return Status::ok();
}

} // namespace PageConverter
