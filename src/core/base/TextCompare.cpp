// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TextCompare.h"
#include "core/base/Windows1252.h"

#include <QString>

#include <cstdint>
#include <cstring>

namespace {

constexpr uint64_t kEveryByte = 0x0101010101010101;
constexpr uint64_t kHighBits = kEveryByte * 0x80;

bool isAscii(char c)
{
    return (static_cast<unsigned char>(c) & 0x80) == 0;
}

uint64_t loadWord(const char* bytes)
{
    uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

size_t asciiRunEnd(std::string_view text, size_t pos)
{
    while (pos + 8 <= text.size() && (loadWord(text.data() + pos) & kHighBits) == 0)
        pos += 8;
    while (pos < text.size() && isAscii(text[pos]))
        ++pos;
    return pos;
}

// Eight bytes at a time: a whole page is folded for each case-blind search. For bytes below 0x80 the high bit of
// each sum tells whether the byte is at least 'A' and whether it is past 'Z'; no sum carries into the next byte.
void lowerAscii(const char* in, char* out, size_t count)
{
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t word = loadWord(in + i);
        const uint64_t atLeastA = word + kEveryByte * (0x80 - 'A');
        const uint64_t pastZ = word + kEveryByte * (0x80 - 'Z' - 1);
        word |= (atLeastA & ~pastZ & kHighBits) >> 2;
        std::memcpy(out + i, &word, sizeof word);
    }
    for (; i < count; ++i)
        out[i] = static_cast<char>(in[i] + ((in[i] >= 'A' && in[i] <= 'Z') ? ('a' - 'A') : 0));
}

} // namespace

std::string foldCase(std::string_view utf8)
{
    std::string folded;
    folded.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t asciiStart = pos;
        pos = asciiRunEnd(utf8, pos);
        const size_t foldFrom = folded.size();
        folded.resize(foldFrom + (pos - asciiStart));
        lowerAscii(utf8.data() + asciiStart, folded.data() + foldFrom, pos - asciiStart);
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
