// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/RulePartsText.h"

#include <algorithm>

namespace {

constexpr std::array<const char*, 2> kTags = {"|date:", "|time:"};

std::string escaped(const std::string& expression)
{
    std::string text;
    for (char c : expression) {
        if (c == '|' || c == '\\')
            text += '\\';
        text += c;
    }
    return text;
}

// Reads one expression from `pos` up to an unescaped "|" or the end; none on a stray escape.
std::optional<std::string> unescaped(const std::string& text, size_t& pos)
{
    std::string expression;
    while (pos < text.size() && text[pos] != '|') {
        if (text[pos] == '\\') {
            if (++pos >= text.size() || (text[pos] != '|' && text[pos] != '\\'))
                return std::nullopt;
        }
        expression += text[pos++];
    }
    return expression;
}

} // namespace

namespace RulePartsText {

std::string encode(const char* prefix, const Parts& parts)
{
    std::string text = prefix + escaped(parts[0]);
    for (size_t i = 0; i < kTags.size(); ++i) {
        if (!parts[i + 1].empty())
            text += kTags[i] + escaped(parts[i + 1]);
    }
    return text;
}

std::optional<Parts> decode(const char* prefix, const std::string& text)
{
    if (!text.starts_with(prefix))
        return std::nullopt;
    size_t pos = std::char_traits<char>::length(prefix);
    Parts parts;
    std::optional<std::string> value = unescaped(text, pos);
    if (!value)
        return std::nullopt;
    parts[0] = std::move(*value);
    for (size_t i = 0; i < kTags.size(); ++i) {
        const size_t tagLength = std::char_traits<char>::length(kTags[i]);
        if (text.compare(pos, tagLength, kTags[i]) != 0)
            continue;
        pos += tagLength;
        std::optional<std::string> read = unescaped(text, pos);
        // An empty expression is written by leaving its tag out.
        if (!read || read->empty())
            return std::nullopt;
        parts[i + 1] = std::move(*read);
    }
    if (pos != text.size())
        return std::nullopt;
    return parts;
}

bool hasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; });
}

std::string withPlaceholderLetters(std::string expression)
{
    for (const char* variable : {"[&name]", "[&symbol]"}) {
        for (size_t at = expression.find(variable); at != std::string::npos; at = expression.find(variable, at + 1))
            expression.replace(at, std::char_traits<char>::length(variable), "a");
    }
    return expression;
}

} // namespace RulePartsText
