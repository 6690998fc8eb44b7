// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// How alike two labels read, ignoring letter case, tags and the amount of blank space between words.
namespace LabelSimilarity {

// The text as compared: case folded, tag marks and blank runs made single blanks, trimmed.
std::string normalized(std::string_view text);
// 0 (nothing in common) to 1 (the same), from the pairs of adjacent characters both texts share.
double similarity(std::string_view a, std::string_view b);
// The words just before a value: the end of `textBefore` after its last digit, normalized.
std::string labelOf(std::string_view textBefore);

} // namespace LabelSimilarity
