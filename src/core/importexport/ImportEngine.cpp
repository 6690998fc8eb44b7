// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/ImportEngine.h"
#include "core/base/FileReader.h"
#include "core/base/LocalTimeCache.h"
#include "core/base/LocaleFormat.h"

#include "core/extract/ExtractResult.h"
#include "core/extract/PageText.h"
#include "core/extract/Pcre2Regex.h"
#include "core/extract/QuotationTimeParts.h"
#include "core/extract/RegexExtract.h"

#include <cstdio>

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool indexMissing(const ImportPattern& p, int pairs)
{
    for (int index : {p.valueIndex, p.dayIndex, p.monthIndex, p.yearIndex, p.hourIndex, p.minuteIndex})
        if (index >= pairs)
            return true;
    return false;
}

void readTimePart(const ImportPattern& p, int i, const char* capture, size_t length, QuotationTimeParts& parts)
{
    if (i == p.dayIndex)
        parts.readDay(capture);
    else if (i == p.monthIndex)
        parts.readMonth(capture, length);
    else if (i == p.yearIndex)
        parts.readYear(capture);
    if (i == p.hourIndex)
        parts.readHour(capture);
    else if (i == p.minuteIndex)
        parts.readMinute(capture);
}

void finish(ImportEngine::Gathered& result, ExtractStatus status, const std::string& message)
{
    result.status = status;
    result.message = PageText::limitExcerpt(message);
}

std::string quotationLine(const Quotation& quotation)
{
    const std::string when = LocaleFormat::localTime(quotation.time, "%c");
    char line[512] = {};
    std::snprintf(line, sizeof line, "%s  %3.4lf", when.c_str(), quotation.value);
    return line;
}

// `budgetBytes` is the size the time budget is reckoned from: the file's, as the user sees it.
ImportEngine::Gathered gather(const std::string& text, size_t budgetBytes, const ImportEngine::Rule& rule, time_t today,
                              bool checkUtf)
{
    using namespace ImportEngine;
    Gathered result;
    finish(result, ExtractStatus::QuotationNotFound, ImportEngine::kNoMatch);
    const ImportPattern& p = rule.pattern;
    Pcre2Regex regex(p.pattern, rule.caseInsensitive);
    if (!regex.isValid()) {
        finish(result, ExtractStatus::RegexCompileError, regex.compileErrorMessage());
        return result;
    }
    QuotationTimeParts parts = QuotationTimeParts::importStart(today);
    regex.limitWork(Pcre2Regex::workFor(budgetBytes));
    LocalTimeCache zone;
    size_t pos = 0;
    while (pos < text.size()) {
        const char* subject = text.c_str() + pos;
        const int pairs = regex.match(subject, text.size() - pos, checkUtf);
        // The rest of the text is validated with the first match; later subjects start at character starts.
        checkUtf = false;
        if (pairs == Pcre2Regex::kNoMatch) {
            finish(result, ExtractStatus::QuotationNotFound, ImportEngine::kNoMatch);
            return result;
        }
        if (pairs <= 0) {
            finish(result, ExtractStatus::QuotationNotFound, Pcre2Regex::matchFailureMessage(pairs));
            return result;
        }
        Quotation quotation;
        ExtractStatus parseStatus = ExtractStatus::QuotationNotFound;
        std::string_view valueCapture;
        for (int i = 0; i < pairs; ++i) {
            if (!regex.isSet(i))
                continue;
            const char* capture = subject + regex.start(i);
            const size_t length = regex.end(i) - regex.start(i);
            if (i == p.valueIndex) {
                parseStatus = RegexExtract::parseNumberAt(text, capture - text.c_str(), rule.thousands, rule.decimal,
                                                          quotation.value);
                valueCapture = std::string_view(capture, length);
            }
            readTimePart(p, i, capture, length, parts);
        }
        if (indexMissing(p, pairs)) {
            finish(result, ExtractStatus::MatchIndexMissing, RegexExtract::missingIndexMessage(pairs));
            return result;
        }
        if (p.valueIndex < 1) {
            finish(result, ExtractStatus::MatchIndexMissing, "Quotation value match place holder missing!");
            return result;
        }
        if (parseStatus != ExtractStatus::QuotationFound) {
            finish(result, parseStatus,
                   regex.isSet(p.valueIndex) ? RegexExtract::captureExcerpt(valueCapture)
                                             : "The value place holder took no part in the match.");
            return result;
        }
        const std::optional<time_t> built = parts.build(zone);
        if (!built) {
            finish(result, ExtractStatus::QuotationNotFound, "The date or time of the match is out of range.");
            return result;
        }
        quotation.time = *built;
        if (isStorableTime(quotation.time))
            result.quotations.push_back(quotation);
        else
            ++result.unstorable;

        size_t next = pos + regex.end(pairs - 1);
        if (next <= pos) {
            next = pos + 1;
            while (next < text.size() && isContinuationByte(text[next]))
                ++next;
        }
        pos = next;
    }
    return result;
}

} // namespace

namespace ImportEngine {

Result<Gathered> run(const std::string& path, const Rule& rule, time_t today)
{
    std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes)
        return Status::error(Status::Code::FileError, "Could not open file!\n");
    const size_t fileSize = bytes->size();
    // forSearch leaves valid UTF-8 only, so the expression need not check it again.
    return gather(PageText::forSearch(std::move(*bytes)), fileSize, rule, today, false);
}

Gathered runOnText(const std::string& text, const Rule& rule, time_t today)
{
    return gather(text, text.size(), rule, today, true);
}

std::string confirmationQuestion(const std::vector<Quotation>& quotations)
{
    if (quotations.empty())
        return {};
    const std::string range = quotationLine(quotations.front()) + "\n...\n" + quotationLine(quotations.back());
    char head[64] = {};
    std::snprintf(head, sizeof head, "%zu", quotations.size());
    return std::string("Import engine found ") + head + " quotations in file:\n\n" + range +
        "\n\nAdd quotations to item?";
}

std::string errorText(const std::string& path, const std::string& message)
{
    return "Error importing quotations from file \"" + path + "\":\n" + message;
}

} // namespace ImportEngine
