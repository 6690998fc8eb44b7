// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathRule.h"

#include "core/base/UrlVariables.h"
#include "core/base/Utf8.h"
#include "core/extract/RulePartsText.h"
#include "core/extract/XPathPage.h"

XPathRule::XPathRule(std::string valueExpression, std::string dateExpression, std::string timeExpression)
    : m_value(std::move(valueExpression)), m_date(std::move(dateExpression)), m_time(std::move(timeExpression))
{
}

bool XPathRule::isXPathRule(const std::string& regExp)
{
    return regExp.starts_with(kPrefix);
}

std::optional<XPathRule> XPathRule::decode(const std::string& regExp)
{
    std::optional<RulePartsText::Parts> parts = RulePartsText::decode(kPrefix, regExp);
    if (!parts)
        return std::nullopt;
    return XPathRule(std::move((*parts)[0]), std::move((*parts)[1]), std::move((*parts)[2]));
}

std::string XPathRule::encode() const
{
    return RulePartsText::encode(kPrefix, {m_value, m_date, m_time});
}

Status XPathRule::check() const
{
    if (m_value.empty())
        return Status::error(Status::Code::InvalidInput, "The XPath rule needs a value expression.");
    for (const std::string* expression : {&m_value, &m_date, &m_time}) {
        if (RulePartsText::hasControlCharacter(*expression))
            return Status::error(Status::Code::InvalidInput, "An XPath expression must not hold control characters.");
        if (expression->empty())
            continue;
        const std::string reason = XPathPage::compileError(RulePartsText::withPlaceholderLetters(*expression));
        if (!reason.empty())
            return Status::error(Status::Code::InvalidInput, "Invalid XPath expression: " + reason);
    }
    if (utf8Length(encode()) > UrlVariables::kMaxLength)
        return Status::error(Status::Code::InvalidInput, kTooLong);
    return Status::ok();
}

Result<XPathRule> XPathRule::withItemVariables(const std::string& name, const std::string& symbol) const
{
    XPathRule rule(UrlVariables::substituteItemVariables(m_value, name, symbol).text,
                   UrlVariables::substituteItemVariables(m_date, name, symbol).text,
                   UrlVariables::substituteItemVariables(m_time, name, symbol).text);
    if (utf8Length(rule.encode()) > UrlVariables::kMaxLength)
        return Status::error(Status::Code::InvalidInput, kTooLong);
    return rule;
}
