// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <optional>
#include <string>

// The XPath rule's expressions as a server stores them in `RegExp` (with `Filtering` nonzero), written as
// the JSON rule's paths are (RulePartsText) after "(?!)xpath:".
class XPathRule {
public:
    static constexpr const char* kPrefix = "(?!)xpath:";
    static constexpr const char* kTooLong = "The XPath expressions are longer than 259 characters.";

    XPathRule() = default;
    XPathRule(std::string valueExpression, std::string dateExpression, std::string timeExpression);

    static bool isXPathRule(const std::string& regExp);
    // The expressions of a stored text; none when it is not an XPath rule written as above.
    static std::optional<XPathRule> decode(const std::string& regExp);
    std::string encode() const;

    // Refused when the value expression is empty, an expression holds a control character or does not
    // compile ("Invalid XPath expression: %s", item variables read as one letter), or when the stored
    // text would be longer than 259 characters.
    Status check() const;
    // Each expression with the first "[&name]", then the first "[&symbol]" put in; refused with kTooLong
    // when the stored text becomes longer than 259 characters.
    Result<XPathRule> withItemVariables(const std::string& name, const std::string& symbol) const;

    const std::string& valueExpression() const { return m_value; }
    const std::string& dateExpression() const { return m_date; }
    const std::string& timeExpression() const { return m_time; }

private:
    std::string m_value;
    std::string m_date;
    std::string m_time;
};
