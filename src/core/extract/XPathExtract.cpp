// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathExtract.h"

#include "core/extract/PageText.h"
#include "core/extract/Pcre2Regex.h"
#include "core/extract/QuotationNumber.h"
#include "core/extract/RegexExtract.h"
#include "core/extract/XPathPage.h"

#include <cmath>

namespace {

using Kind = XPathPage::Value::Kind;

ExtractResult failure(ExtractStatus status, const std::string& excerpt)
{
    ExtractResult result;
    result.status = status;
    result.excerpt = PageText::limitExcerpt(excerpt);
    return result;
}

// Why an expression gave nothing to read; none when it gave a text, number or truth value.
std::optional<ExtractResult> missing(const XPathPage::Value& value, const std::string& expression)
{
    switch (value.kind) {
    case Kind::Empty:
        return failure(ExtractStatus::XPathNotFound, expression);
    case Kind::Invalid:
        return failure(ExtractStatus::QuotationNotFound, "Invalid XPath expression: " + value.text);
    case Kind::OutOfTime:
        return failure(ExtractStatus::QuotationNotFound, "The XPath rule took too long on this page.");
    default:
        return std::nullopt;
    }
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The first number of the text, a sign right before it included.
ExtractStatus readFirstNumber(const std::string& text, const XPathExtract::Rule& rule, double& number)
{
    size_t at = 0;
    while (at < text.size() && !isDigit(text[at]))
        ++at;
    if (at == text.size())
        return ExtractStatus::InvalidValue;
    if (at > 0 && (text[at - 1] == '-' || text[at - 1] == '+'))
        --at;
    // Blanks end the text, so the number parser reads a number that ends it too.
    const std::string from = text.substr(at) + "  ";
    return parseQuotationNumber(from.c_str(), rule.thousands, rule.decimal, number) == ExtractStatus::QuotationFound
        ? ExtractStatus::QuotationFound
        : ExtractStatus::InvalidValue;
}

ExtractResult readValue(const XPathPage::Value& value, const XPathExtract::Rule& rule, time_t referenceTime)
{
    ExtractResult result;
    result.time = referenceTime;
    if (value.kind == Kind::Number && std::isfinite(value.number)) {
        result.status = ExtractStatus::QuotationFound;
        result.value = value.number;
    } else if (value.kind == Kind::Text) {
        result.status = readFirstNumber(value.text, rule, result.value);
    } else {
        result.status = ExtractStatus::InvalidValue;
    }
    if (result.status != ExtractStatus::QuotationFound)
        result.excerpt = RegexExtract::captureExcerpt(value.text);
    return result;
}

bool readMoment(QuotationMoment& moment, const XPathPage::Value& value, bool isDate)
{
    if (value.kind == Kind::Number)
        return isDate ? moment.readDateNumber(value.number) : moment.readTimeNumber(value.number);
    if (value.kind != Kind::Text)
        return false;
    return isDate ? moment.readDateText(value.text) : moment.readTimeText(value.text);
}

} // namespace

namespace XPathExtract {

ExtractResult extract(std::string_view page, const Rule& rule, time_t referenceTime)
{
    const XPathPage document(page, Pcre2Regex::workFor(page.size()));
    if (!document.failure().empty())
        return failure(ExtractStatus::QuotationNotFound, document.failure());
    const XPathPage::Value value = document.evaluate(rule.expressions.valueExpression());
    if (std::optional<ExtractResult> failed = missing(value, rule.expressions.valueExpression()))
        return *failed;
    ExtractResult result = readValue(value, rule, referenceTime);
    if (result.status != ExtractStatus::QuotationFound)
        return result;
    if (rule.expressions.dateExpression().empty() && rule.expressions.timeExpression().empty())
        return result;
    QuotationMoment moment(referenceTime, rule.dateOrder);
    for (const auto& [expression, isDate] :
         {std::pair{&rule.expressions.dateExpression(), true}, std::pair{&rule.expressions.timeExpression(), false}}) {
        if (expression->empty())
            continue;
        const XPathPage::Value found = document.evaluate(*expression);
        if (std::optional<ExtractResult> failed = missing(found, *expression))
            return *failed;
        if (!readMoment(moment, found, isDate))
            return failure(ExtractStatus::InvalidValue, RegexExtract::captureExcerpt(found.text));
    }
    const std::optional<time_t> time = moment.time();
    if (!time)
        return failure(ExtractStatus::QuotationNotFound, "The date or time of the match is out of range.");
    result.time = *time;
    return result;
}

} // namespace XPathExtract
