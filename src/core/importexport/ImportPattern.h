// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A historical file's line layout, written with placeholders, translated into a regular expression.
struct ImportPattern {
    static constexpr const char* kDefaultFormat =
        "[&day]-[&month]-[&year],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]";

    std::string pattern;
    // Match indices of the capturing placeholders, numbered by first occurrence; -1 when absent.
    int valueIndex = -1;
    int dayIndex = -1;
    int monthIndex = -1;
    int yearIndex = -1;
    int hourIndex = -1;
    int minuteIndex = -1;

    // Everything outside the placeholders is taken as regular-expression text; the separators go into the
    // number bracket expressions as they stand and the symbol is put in as plain text.
    static ImportPattern translate(const std::string& format, const std::string& thousands, const std::string& decimal,
                                   const std::string& symbol);
};
