// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TextCompare.h"
#include "core/base/Windows1252.h"

#include <QString>

namespace {

bool isAscii(char c)
{
    return (static_cast<unsigned char>(c) & 0x80) == 0;
}

} // namespace

std::string foldCase(std::string_view utf8)
{
    std::string folded;
    folded.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        if (isAscii(utf8[pos])) {
            const char c = utf8[pos++];
            folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
            continue;
        }
        // Runs of other characters go through Qt's tables as a whole; bytes that are not UTF-8 stay.
        const size_t start = pos;
        while (pos < utf8.size() && !isAscii(utf8[pos]))
            ++pos;
        const std::string_view run = utf8.substr(start, pos - start);
        if (Windows1252::isValidUtf8(std::string(run)))
            folded += QString::fromUtf8(run.data(), static_cast<qsizetype>(run.size())).toCaseFolded().toStdString();
        else
            folded += run;
    }
    return folded;
}

int compareIgnoringCase(const std::string& a, const std::string& b)
{
    return foldCase(a).compare(foldCase(b));
}
