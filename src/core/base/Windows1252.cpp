// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Windows1252.h"

#include <cstdint>
#include <cstring>

namespace {

// Code points of the bytes 0x80..0x9F; 0 marks the five undefined bytes, which map to C1 controls.
const uint16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t codePointOf(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0)
        return kHighControls[byte - 0x80];
    return byte;
}

void appendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `i`; returns its length, or 0 when the bytes there are not valid UTF-8.
size_t decodeUtf8(const std::string& s, size_t i, uint32_t& cp)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    uint32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

bool encodeOne(uint32_t cp, char& out)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out = static_cast<char>(cp);
        return true;
    }
    for (int k = 0; k < 32; ++k) {
        const uint32_t mapped = kHighControls[k] ? kHighControls[k] : 0x80u + k;
        if (mapped == cp) {
            out = static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

} // namespace

namespace Windows1252 {

bool isValidUtf8(const std::string& bytes)
{
    uint32_t cp = 0;
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    for (size_t i = 0; i < bytes.size();) {
        // Long files are mostly ASCII: eight bytes at a time.
        uint64_t word = 0;
        if (i + sizeof word <= bytes.size() &&
            (std::memcpy(&word, bytes.data() + i, sizeof word), !(word & kHighBits))) {
            i += sizeof word;
            continue;
        }
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = decodeUtf8(bytes, i, cp);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string toUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char c : bytes)
        appendUtf8(out, codePointOf(c));
    return out;
}

bool fromUtf8(const std::string& utf8, std::string& out)
{
    out.clear();
    out.reserve(utf8.size());
    uint32_t cp = 0;
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = decodeUtf8(utf8, i, cp);
        char encoded = 0;
        if (length == 0 || !encodeOne(cp, encoded))
            return false;
        out += encoded;
        i += length;
    }
    return true;
}

std::string fromUtf8Lossy(const std::string& utf8, char replacement)
{
    std::string out;
    out.reserve(utf8.size());
    uint32_t cp = 0;
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = decodeUtf8(utf8, i, cp);
        char encoded = replacement;
        if (length == 0 || !encodeOne(cp, encoded))
            encoded = replacement;
        out += encoded;
        i += length ? length : 1;
    }
    return out;
}

} // namespace Windows1252
