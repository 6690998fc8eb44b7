// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/PageText.h"
#include "core/extract/XPathExtract.h"
#include "core/extract/XPathPage.h"
#include "core/extract/XPathRule.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One fuzz input: an XPath expression on the first line, an HTML page after it. Whatever the bytes, the
// expressions' stored form reads back to the same expressions, the rule's check refuses exactly the
// expressions libxml2 does not compile, and extraction ends with one of its statuses, naming the expression
// when it found nothing. False when one of these promises is broken.
inline bool checkXPathRuleInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = std::min(input.find('\n'), input.size());
    const std::string expression(input.substr(0, lineEnd));
    const std::string page = PageText::forSearch(
        PageText::normalizeEncoding(std::string(input.substr(std::min(lineEnd + 1, input.size())))));

    const XPathRule rule(expression, expression, expression.empty() ? "" : "(" + expression + ")");
    const std::optional<XPathRule> decoded = XPathRule::decode(rule.encode());
    if (!decoded || decoded->valueExpression() != rule.valueExpression() ||
        decoded->dateExpression() != rule.dateExpression() || decoded->timeExpression() != rule.timeExpression())
        return false;
    const bool compiles = !expression.empty() && XPathPage::compileError(expression).empty();
    const bool shortPlain = expression.size() < 100 && expression.find('\0') == std::string::npos &&
        expression.find("[&") == std::string::npos && expression.find_first_of("\r\t\x7f") == std::string::npos;
    if (shortPlain && rule.check().isOk() && !compiles)
        return false;

    const ExtractResult result = XPathExtract::extract(page, {rule, ".", ",", std::nullopt}, 1700000000);
    switch (result.status) {
    case ExtractStatus::XPathNotFound:
        return PageText::limitExcerpt(expression) == result.excerpt ||
            PageText::limitExcerpt("(" + expression + ")") == result.excerpt;
    case ExtractStatus::QuotationFound:
        return compiles;
    case ExtractStatus::QuotationNotFound:
    case ExtractStatus::InvalidValue:
        return true;
    default:
        return false;
    }
}
