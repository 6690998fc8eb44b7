// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/RegexExtract.h"

#include "core/extract/PageText.h"
#include "core/extract/Pcre2Regex.h"
#include "core/extract/QuotationNumber.h"
#include "core/extract/QuotationTimeParts.h"

#include <algorithm>

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The text of pair `i`, ending at the page's own end (never in the terminating zero byte).
std::string_view captureText(const std::string& page, const Pcre2Regex& regex, int i)
{
    const size_t start = std::min(regex.start(i), page.size());
    const size_t end = std::min(regex.end(i), page.size());
    return std::string_view(page).substr(start, end > start ? end - start : 0);
}

bool indexMissing(const RegexExtract::Rule& rule, int pairs)
{
    if (rule.quotationIndex >= pairs)
        return true;
    if (rule.extractDate && (rule.dayIndex >= pairs || rule.monthIndex >= pairs || rule.yearIndex >= pairs))
        return true;
    return rule.extractTime && (rule.hourIndex >= pairs || rule.minuteIndex >= pairs);
}

void readTimePart(const RegexExtract::Rule& rule, int i, const char* capture, size_t length, QuotationTimeParts& parts)
{
    if (rule.extractDate) {
        if (i == rule.dayIndex)
            parts.readDay(capture);
        else if (i == rule.monthIndex)
            parts.readMonth(capture, length);
        else if (i == rule.yearIndex)
            parts.readYear(capture);
    }
    if (rule.extractTime) {
        if (i == rule.hourIndex)
            parts.readHour(capture);
        else if (i == rule.minuteIndex)
            parts.readMinute(capture);
    }
}

} // namespace

namespace RegexExtract {

ExtractResult extract(const std::string& page, const Rule& rule, time_t referenceTime, const ExtractionLimits& limits)
{
    ExtractResult result;
    result.time = referenceTime;
    QuotationTimeParts parts(referenceTime);

    Pcre2Regex regex(rule.pattern, rule.caseInsensitive);
    if (!regex.isValid()) {
        result.status = ExtractStatus::RegexCompileError;
        result.excerpt = PageText::limitExcerpt(regex.compileErrorMessage());
        return result;
    }
    regex.limitWork(Pcre2Regex::workFor(page.size()), limits);
    const int pairs = regex.match(page.c_str(), page.size() + 1);
    if (pairs <= 0) {
        result.excerpt =
            PageText::limitExcerpt(pairs == Pcre2Regex::kNoMatch ? "No RegExp match found for '" + rule.pattern + "'"
                                                                 : Pcre2Regex::matchFailureMessage(pairs));
        return result;
    }

    for (int i = 0; i < pairs; ++i) {
        // A group that took no part in the match has no text to read.
        if (!regex.isSet(i))
            continue;
        const std::string_view capture = captureText(page, regex, i);
        const char* start = page.c_str() + std::min(regex.start(i), page.size());
        if (i == rule.quotationIndex) {
            result.status = parseNumberAt(page, start - page.c_str(), rule.thousands, rule.decimal, result.value);
            result.excerpt = result.status == ExtractStatus::QuotationFound ? std::string() : captureExcerpt(capture);
            result.textBefore = PageText::textBefore(page, start - page.c_str());
        }
        readTimePart(rule, i, start, capture.size(), parts);
    }
    const std::optional<time_t> built = parts.build();
    if (!built) {
        result.status = ExtractStatus::QuotationNotFound;
        result.excerpt = "The date or time of the match is out of range.";
        return result;
    }
    result.time = *built;
    if (indexMissing(rule, pairs)) {
        result.status = ExtractStatus::MatchIndexMissing;
        result.excerpt = missingIndexMessage(pairs);
    }
    return result;
}

Location regexLocate(const std::string& text, const std::string& pattern, bool caseInsensitive, int captureIndex)
{
    Location location;
    Pcre2Regex regex(pattern, caseInsensitive);
    if (!regex.isValid()) {
        location.status = ExtractStatus::RegexCompileError;
        location.message = PageText::limitExcerpt(regex.compileErrorMessage());
        return location;
    }
    regex.limitWork(Pcre2Regex::workFor(text.size()));
    const int pairs = regex.match(text.data(), text.size());
    if (pairs <= 0) {
        location.message =
            PageText::limitExcerpt(pairs == Pcre2Regex::kNoMatch ? "No RegExp match found for '" + pattern + "'"
                                                                 : Pcre2Regex::matchFailureMessage(pairs));
        return location;
    }
    location.start = static_cast<long>(regex.start(0));
    location.length = regex.end(0) - regex.start(0);
    if (captureIndex >= pairs) {
        location.status = ExtractStatus::MatchIndexMissing;
        location.message = missingIndexMessage(pairs);
        return location;
    }
    if (captureIndex >= 0 && regex.isSet(captureIndex))
        location.capture = text.substr(regex.start(captureIndex), regex.end(captureIndex) - regex.start(captureIndex));
    location.status = ExtractStatus::QuotationFound;
    return location;
}

ExtractStatus parseNumberAt(const std::string& text, size_t start, const std::string& thousands,
                            const std::string& decimal, double& value)
{
    // The parser stops at the first character that is neither a digit nor part of a separator; the window
    // keeps that character and enough after it for the separator comparisons, so the result is unchanged.
    const auto numberByte = [&](char c) {
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || thousands.find(c) != std::string::npos ||
            decimal.find(c) != std::string::npos;
    };
    size_t stop = std::min(start, text.size());
    while (stop < text.size() && numberByte(text[stop]))
        ++stop;
    const size_t margin = std::max(thousands.size(), decimal.size()) + 2;
    const size_t end = std::min(text.size(), stop + margin);
    if (end == text.size())
        return parseQuotationNumber(text.c_str() + start, thousands, decimal, value);
    const std::string window = text.substr(start, end - start);
    return parseQuotationNumber(window.c_str(), thousands, decimal, value);
}

std::string captureExcerpt(std::string_view capture)
{
    size_t end = 0;
    int characters = 0;
    while (end < capture.size() && characters < PageText::kExcerptLength) {
        ++end;
        while (end < capture.size() && isContinuationByte(capture[end]))
            ++end;
        ++characters;
    }
    std::string excerpt(capture.substr(0, end));
    if (end < capture.size())
        excerpt += " [...]";
    return excerpt;
}

std::string missingIndexMessage(int pairs)
{
    return "RegExp Match index doesn't exist (max match index = " + std::to_string(pairs - 1) + ").";
}

} // namespace RegexExtract
