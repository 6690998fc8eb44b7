// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

// The variables that URL templates, start texts and patterns may contain: "[&name]", "[&symbol]"
// and the date and time variables "[&d]", "[&dw]", "[&m]", "[&mstr]", "[&y]", "[&h]", "[&min]";
// import templates also hold the period variables "[&day_begin]" ... "[&year_end]".
namespace UrlVariables {

constexpr int kMaxLength = 259;

struct Substitution {
    std::string text;
    bool changed = false;
    // The result is longer than kMaxLength characters: callers refuse to use it.
    bool tooLong = false;
};

// Replaces the first "[&name]", then the first "[&symbol]" of the result, as plain text.
Substitution substituteItemVariables(const std::string& text, const std::string& name, const std::string& symbol);
// Replaces every date variable from `referenceTime` in local time. A `shift` above 0 moves the reference time
// back once, by days, hours or minutes after the first of "[&d]", "[&dw]", "[&h]", "[&min]" met.
Substitution substituteDateVariables(const std::string& text, time_t& referenceTime, int shift);
Substitution substituteDateVariablesNow(const std::string& text, int shift);
// Every occurrence of the eight period variables, from the local dates of `begin` and `end`, as numbers
// without leading zeros ("[&month_begin-1]" counts months from 0).
Substitution substitutePeriodVariables(const std::string& text, time_t begin, time_t end);
// The address "Open web page" shows: the date variables of now, then the item variables.
Substitution webPageAddress(const std::string& urlTemplate, const std::string& name, const std::string& symbol);

} // namespace UrlVariables
