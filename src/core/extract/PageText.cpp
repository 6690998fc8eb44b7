// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/PageText.h"

#include "core/base/Windows1252.h"

#include <algorithm>
#include <cstring>

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte position after `count` characters from `pos` (or the end).
size_t advanceCharacters(const std::string& text, size_t pos, int count)
{
    while (pos < text.size() && count > 0) {
        ++pos;
        while (pos < text.size() && isContinuationByte(text[pos]))
            ++pos;
        --count;
    }
    return pos;
}

} // namespace

namespace PageText {

std::string normalizeEncoding(std::string bytes)
{
    if (Windows1252::isValidUtf8(bytes))
        return bytes;
    return Windows1252::toUtf8(bytes);
}

std::string forSearch(std::string bytes)
{
    std::string text = normalizeEncoding(std::move(bytes));
    for (char* nul = text.data(); (nul = static_cast<char*>(std::memchr(nul, '\0', text.data() + text.size() - nul)));)
        *nul = ' ';
    return text;
}

std::string excerptAt(const std::string& page, size_t pos)
{
    pos = std::min(pos, page.size());
    const size_t end = advanceCharacters(page, pos, kExcerptLength);
    std::string excerpt = page.substr(pos, end - pos);
    if (end < page.size())
        excerpt += " [...]";
    return excerpt;
}

std::string textBefore(const std::string& page, size_t pos)
{
    pos = std::min(pos, page.size());
    size_t from = pos > kTextBeforeBytes ? pos - kTextBeforeBytes : 0;
    while (from < pos && (static_cast<unsigned char>(page[from]) & 0xC0) == 0x80)
        ++from;
    return page.substr(from, pos - from);
}

std::string limitExcerpt(const std::string& text)
{
    return text.substr(0, advanceCharacters(text, 0, kMaxExcerptLength));
}

} // namespace PageText
