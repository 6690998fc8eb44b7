// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Unicode simple case folding of UTF-8 text by Qt's tables: "ŠKODA" becomes "škoda", "Ärger" "ärger".
// ASCII letters keep their place; another character may change its byte length, so offsets into the
// folded text belong to the folded text.
std::string foldCase(std::string_view utf8);

// Compares two texts ignoring letter case by folding both: below 0, 0 or above 0 as strcmp.
int compareIgnoringCase(const std::string& a, const std::string& b);
