// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/QuotationExtractor.h"

#include "core/base/UrlVariables.h"
#include "core/extract/JsonExtract.h"
#include "core/extract/PageConverter.h"
#include "core/extract/PageText.h"
#include "core/extract/RegexExtract.h"
#include "core/extract/StandardSearch.h"
#include "core/extract/XPathExtract.h"

namespace {

RegexExtract::Rule regexRule(const ServerConfig& rules)
{
    RegexExtract::Rule rule;
    rule.pattern = rules.RegExp;
    rule.quotationIndex = rules.RegExpQuotationIndex;
    rule.extractDate = rules.bRegExpExtractDate != 0;
    rule.dayIndex = rules.RegExpDayIndex;
    rule.monthIndex = rules.RegExpMonthIndex;
    rule.yearIndex = rules.RegExpYearIndex;
    rule.extractTime = rules.bRegExpExtractTime != 0;
    rule.hourIndex = rules.RegExpHourIndex;
    rule.minuteIndex = rules.RegExpMinuteIndex;
    rule.caseInsensitive = rules.NoCaseSensitiv != 0;
    rule.thousands = rules.TAUSEND;
    rule.decimal = rules.DECIMAL;
    return rule;
}

// Each path gets the item variables on its own.
Result<ServerConfig> withJsonItemVariables(ServerConfig rules, const std::string& name, const std::string& symbol)
{
    const std::optional<JsonRule> paths = JsonRule::decode(rules.RegExp);
    if (!paths)
        return rules;
    const Result<JsonRule> withItem = paths->withItemVariables(name, symbol);
    if (!withItem)
        return withItem.status();
    rules.RegExp = withItem->encode();
    return rules;
}

Result<ServerConfig> withXPathItemVariables(ServerConfig rules, const std::string& name, const std::string& symbol)
{
    const std::optional<XPathRule> expressions = XPathRule::decode(rules.RegExp);
    if (!expressions)
        return rules;
    const Result<XPathRule> withItem = expressions->withItemVariables(name, symbol);
    if (!withItem)
        return withItem.status();
    rules.RegExp = withItem->encode();
    return rules;
}

// The searched page ends with a zero byte that is not part of the answer.
std::string_view withoutTerminator(const std::string& page)
{
    std::string_view text(page);
    if (!text.empty() && text.back() == '\0')
        text.remove_suffix(1);
    return text;
}

std::optional<DateOrder> dateOrder(const ServerConfig& rules)
{
    return DateOrder::fromIndices(rules.RegExpDayIndex, rules.RegExpMonthIndex, rules.RegExpYearIndex);
}

ExtractResult xpathExtract(const ServerConfig& rules, const std::string& page, time_t referenceTime)
{
    const std::optional<XPathRule> expressions = XPathRule::decode(rules.RegExp);
    if (!expressions) {
        ExtractResult result;
        result.excerpt = "The XPath expressions cannot be read.";
        return result;
    }
    return XPathExtract::extract(withoutTerminator(page),
                                 {*expressions, rules.TAUSEND, rules.DECIMAL, dateOrder(rules)}, referenceTime);
}

ExtractResult jsonExtract(const ServerConfig& rules, const std::string& page, time_t referenceTime)
{
    const std::optional<JsonRule> paths = JsonRule::decode(rules.RegExp);
    if (!paths) {
        ExtractResult result;
        result.excerpt = "The JSON paths cannot be read.";
        return result;
    }
    return JsonExtract::extract(withoutTerminator(page), {*paths, rules.TAUSEND, rules.DECIMAL, dateOrder(rules)},
                                referenceTime);
}

} // namespace

namespace QuotationExtractor {

ExtractResult extract(const ServerConfig& rules, const std::string& page, time_t referenceTime,
                      const ExtractionLimits& limits)
{
    if (rules.Filtering != 0 && JsonRule::isJsonRule(rules.RegExp))
        return jsonExtract(rules, page, referenceTime);
    if (rules.Filtering != 0 && XPathRule::isXPathRule(rules.RegExp))
        return xpathExtract(rules, page, referenceTime);
    if (rules.Filtering != 0)
        return RegexExtract::extract(page, regexRule(rules), referenceTime, limits);
    StandardSearch::Rule rule;
    rule.startText = rules.Text_before_Value;
    rule.thousands = rules.TAUSEND;
    rule.decimal = rules.DECIMAL;
    rule.tagsToSkip = rules.Nr_HTML_before_Value;
    rule.numbersToSkip = rules.Numbers_before_Value;
    rule.caseInsensitive = rules.NoCaseSensitiv != 0;
    ExtractResult result = PageConverter::modeOf(rules.Format) == PageConverter::Mode::SemiHtml
        ? StandardSearch::tagSkipSearch(page, rule)
        : StandardSearch::search(page, rule);
    result.time = referenceTime;
    return result;
}

ExtractResult extractFromRawPage(const ServerConfig& rules, std::string rawPage, time_t referenceTime)
{
    const std::string converted = PageConverter::convertPage(PageConverter::modeOf(rules.Format),
                                                             PageText::normalizeEncoding(std::move(rawPage)));
    return extract(rules, PageText::forSearch(converted), referenceTime);
}

Result<ServerConfig> withItemVariables(ServerConfig rules, const std::string& name, const std::string& symbol)
{
    if (rules.Filtering != 0 && JsonRule::isJsonRule(rules.RegExp))
        return withJsonItemVariables(std::move(rules), name, symbol);
    if (rules.Filtering != 0 && XPathRule::isXPathRule(rules.RegExp))
        return withXPathItemVariables(std::move(rules), name, symbol);
    // Only the text the rule uses is checked: a long symbol in an unused pattern refuses nothing.
    const bool regex = rules.Filtering != 0;
    std::string& used = regex ? rules.RegExp : rules.Text_before_Value;
    const auto expanded = UrlVariables::substituteItemVariables(used, name, symbol);
    if (expanded.tooLong)
        return Status::error(Status::Code::InvalidInput,
                             std::string(regex ? "The regular expression" : "The start text") +
                                 " is longer than 259 characters with the item's name and symbol put in.");
    used = expanded.text;
    return rules;
}

} // namespace QuotationExtractor
