// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

// Result codes shared by every extraction rule.
// The numbers are printed (`tickora-cli extract --json`) and stay as they are.
enum class ExtractStatus {
    QuotationFound = 0,
    QuotationNotFound = 1,
    StartTextNotFound = 2,
    InvalidValue = 3,
    RegexCompileError = 4,
    MatchIndexMissing = 5,
    // 6 is the import engine's.
    PageNotJson = 7,
    JsonPathNotFound = 8,
    XPathNotFound = 9,
};

struct ExtractResult {
    ExtractStatus status = ExtractStatus::QuotationNotFound;
    double value = 0.0;
    // At most 259 characters: empty on success and on a missing start text, else "EOF",
    // a piece of the page where the quotation was expected, or a diagnostic message; for the JSON rule
    // "byte N" where the page stops being JSON, or the part of the path that matched; for the XPath rule
    // the expression that found nothing.
    std::string excerpt;
    // Set by the regular-expression rule when it extracted a date or time.
    time_t time = 0;
    // On success of the standard search or a regular expression: the searched text just before the value,
    // which a later repair compares new places with.
    std::string textBefore;

    // The status text the program shows for a failed extraction.
    std::string statusText() const;
};
