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
        // A whole page is folded for each case-blind search: ASCII runs are lowered in one branch-free pass.
        const size_t asciiStart = pos;
        while (pos < utf8.size() && isAscii(utf8[pos]))
            ++pos;
        const size_t foldFrom = folded.size();
        folded.resize(foldFrom + (pos - asciiStart));
        const char* in = utf8.data() + asciiStart;
        char* out = folded.data() + foldFrom;
        for (size_t i = 0; i < pos - asciiStart; ++i) {
            const char c = in[i];
            out[i] = static_cast<char>(c + ((c >= 'A' && c <= 'Z') ? ('a' - 'A') : 0));
        }
        if (pos == utf8.size())
            break;
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
