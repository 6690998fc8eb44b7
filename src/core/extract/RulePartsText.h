// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

// How the JSON and XPath rules keep their value, date and time expressions in a server's `RegExp`: the
// prefix and the value expression, then "|date:" and "|time:" with theirs when not empty, "|" and "\"
// inside an expression written "\|" and "\\".
namespace RulePartsText {

using Parts = std::array<std::string, 3>; // value, date, time

std::string encode(const char* prefix, const Parts& parts);
// None when `text` does not start with `prefix` or is not written as above.
std::optional<Parts> decode(const char* prefix, const std::string& text);
bool hasControlCharacter(const std::string& text);
// Each "[&name]" and "[&symbol]" as the letter "a", so an expression with item variables can be checked.
std::string withPlaceholderLetters(std::string expression);

} // namespace RulePartsText
