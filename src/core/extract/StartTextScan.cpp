// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/StartTextScan.h"

#include <cstring>

namespace {

bool isOneOf(char c, const char* set)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t previousCharacter(const std::string& text, size_t pos)
{
    while (pos > 0 && isContinuationByte(text[--pos])) { }
    return pos;
}

size_t nextCharacter(const std::string& text, size_t pos)
{
    ++pos;
    while (pos < text.size() && isContinuationByte(text[pos]))
        ++pos;
    return pos;
}

// The text between a start text and what follows it: no tag and no part of a number.
constexpr const char* kNotFiller = "<>0123456789.,";

size_t fillerStart(const std::string& page, size_t end, const char* stops)
{
    while (end > 0 && !isOneOf(page[end - 1], stops))
        --end;
    return end;
}

// Which characters a start text may hold in each page version; the wizard has always used these.
struct StartTextClass {
    const char* before; // one of these must stand right before it (nullptr: anything)
    const char* barrier;
    const char* notFirst;
    const char* notLast;
    bool blankAfter;
};

StartTextClass startTextClass(PageConverter::Mode mode)
{
    switch (mode) {
    case PageConverter::Mode::SemiHtml:
        return {nullptr, ",<>\t\r\n", "-+., <>\t\r\n", ".,<>\t\r\n", false};
    case PageConverter::Mode::TextOnly:
        return {" \t\r\n", ",\t\r\n", " .,\t\r\n", ".,\t\r\n", true};
    default:
        return {" >\t\r\n", ",\t\r\n", " .,\t\r\n", ".,\t\r\n", false};
    }
}

// Skips `numbers` numbers backwards from `pos`, each followed by at least one filler character.
std::optional<size_t> skipNumbersBack(const std::string& page, size_t pos, int numbers)
{
    for (int n = 0; n < numbers; ++n) {
        const size_t separator = fillerStart(page, pos, kNotFiller);
        if (separator == pos || separator == 0 || isOneOf(page[separator - 1], "<>"))
            return std::nullopt;
        pos = separator;
        while (pos > 0 && isOneOf(page[pos - 1], "0123456789.,"))
            --pos;
        if (!isDigit(page[pos]))
            return std::nullopt;
        if (pos > 0 && isOneOf(page[pos - 1], "-+"))
            --pos;
    }
    return pos;
}

// Skips `tags` tags backwards from `pos`; the text after the last one holds no number.
std::optional<size_t> skipTagsBack(const std::string& page, size_t pos, int tags)
{
    for (int t = tags; t > 0; --t) {
        pos = fillerStart(page, pos, t == tags ? kNotFiller : "<>");
        if (pos == 0 || page[pos - 1] != '>')
            return std::nullopt;
        const size_t closing = pos - 1;
        const size_t previousClose = page.rfind('>', closing == 0 ? 0 : closing - 1);
        const size_t from = previousClose == std::string::npos || closing == 0 ? 0 : previousClose + 1;
        const size_t opening = page.find('<', from);
        if (opening >= closing)
            return std::nullopt;
        pos = opening;
    }
    return pos;
}

// The longest start text from `start` that ends in [fillerFrom, end], or 0 bytes when there is none.
size_t startTextLength(const std::string& page, const StartTextClass& cls, size_t start, size_t fillerFrom, size_t end)
{
    size_t best = 0;
    size_t pos = start;
    for (int characters = 0; characters < StartTextScan::kMaxStartTextCharacters && pos < end; ++characters) {
        if (isOneOf(page[pos], cls.barrier))
            break;
        const size_t last = pos;
        pos = nextCharacter(page, pos);
        if (characters < 1 || pos < fillerFrom || isOneOf(page[last], cls.notLast))
            continue;
        if (cls.blankAfter && (pos >= end || !isOneOf(page[pos], " \t\r\n")))
            continue;
        best = pos - start;
    }
    return best;
}

std::optional<StartTextScan::Shape> earliestStartText(const std::string& page, PageConverter::Mode mode, size_t end,
                                                      StartTextScan::Reach reach)
{
    const StartTextClass cls = startTextClass(mode);
    const size_t fillerFrom = fillerStart(page, end, kNotFiller);
    size_t from = fillerFrom;
    for (int characters = 0;
         reach == StartTextScan::Reach::Earliest && characters < StartTextScan::kMaxStartTextCharacters && from > 0;
         ++characters) {
        const size_t previous = previousCharacter(page, from);
        if (isOneOf(page[previous], cls.barrier))
            break;
        from = previous;
    }
    for (size_t start = from; start < end; start = nextCharacter(page, start)) {
        if (isOneOf(page[start], cls.notFirst) || isOneOf(page[start], cls.barrier))
            continue;
        if (cls.before && (start == 0 || !isOneOf(page[start - 1], cls.before)))
            continue;
        const size_t length = startTextLength(page, cls, start, fillerFrom, end);
        if (length > 0)
            return StartTextScan::Shape{start, page.substr(start, length)};
    }
    return std::nullopt;
}

} // namespace

namespace StartTextScan {

std::optional<Shape> before(const std::string& page, PageConverter::Mode mode, size_t valueAt, int tags, int numbers,
                            Reach reach)
{
    if (valueAt > page.size() || (tags > 0 && mode != PageConverter::Mode::SemiHtml))
        return std::nullopt;
    const std::optional<size_t> afterTags = skipNumbersBack(page, valueAt, numbers);
    if (!afterTags)
        return std::nullopt;
    const std::optional<size_t> afterStartText = skipTagsBack(page, *afterTags, tags);
    if (!afterStartText)
        return std::nullopt;
    return earliestStartText(page, mode, *afterStartText, reach);
}

} // namespace StartTextScan
