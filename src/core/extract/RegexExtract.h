// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/ExtractResult.h"
#include "core/extract/ExtractionLimits.h"

#include <ctime>
#include <string>
#include <string_view>

// The regular-expression rule: one match gives the value and, optionally, the date and time of the quotation.
namespace RegexExtract {

struct Rule {
    std::string pattern;
    int quotationIndex = 1;
    bool extractDate = false;
    int dayIndex = 2;
    int monthIndex = 3;
    int yearIndex = 4;
    bool extractTime = false;
    int hourIndex = 5;
    int minuteIndex = 6;
    bool caseInsensitive = true;
    std::string thousands;
    std::string decimal;
};

// `page` is the converted page as PageText::forSearch made it; its terminating zero byte is part of the
// subject. The result's time is built from `referenceTime` and what the match supplies, seconds 0.
// The search ends early, as a match over its budget, by the deadline or on an abort of `limits`.
ExtractResult extract(const std::string& page, const Rule& rule, time_t referenceTime,
                      const ExtractionLimits& limits = {});

// Where a pattern matches first, for the server wizard.
struct Location {
    long start = -1; // byte offset of the whole match, -1 without a match
    size_t length = 0; // byte length of the whole match
    std::string capture;
    ExtractStatus status = ExtractStatus::QuotationNotFound;
    std::string message;
};
// Matches once in `text` (without its terminating zero byte) and takes the text of capture `captureIndex`.
Location regexLocate(const std::string& text, const std::string& pattern, bool caseInsensitive, int captureIndex);

// parseQuotationNumber from `start` in zero-terminated `text`, reading on past a capture as it does,
// but looking only at the stretch of text the number can reach, so repeated calls stay linear.
ExtractStatus parseNumberAt(const std::string& text, size_t start, const std::string& thousands,
                            const std::string& decimal, double& value);
// The first 50 characters of a capture, with " [...]" when it is longer.
std::string captureExcerpt(std::string_view capture);
// "RegExp Match index doesn't exist (max match index = %i)."
std::string missingIndexMessage(int pairs);

} // namespace RegexExtract
