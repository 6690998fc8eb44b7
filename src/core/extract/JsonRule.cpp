// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonRule.h"

#include "core/base/UrlVariables.h"
#include "core/base/Utf8.h"
#include "core/extract/JsonPath.h"
#include "core/extract/RulePartsText.h"

JsonRule::JsonRule(std::string valuePath, std::string datePath, std::string timePath)
    : m_valuePath(std::move(valuePath)), m_datePath(std::move(datePath)), m_timePath(std::move(timePath))
{
}

bool JsonRule::isJsonRule(const std::string& regExp)
{
    return regExp.starts_with(kPrefix);
}

std::optional<JsonRule> JsonRule::decode(const std::string& regExp)
{
    std::optional<RulePartsText::Parts> parts = RulePartsText::decode(kPrefix, regExp);
    if (!parts)
        return std::nullopt;
    return JsonRule(std::move((*parts)[0]), std::move((*parts)[1]), std::move((*parts)[2]));
}

std::string JsonRule::encode() const
{
    return RulePartsText::encode(kPrefix, {m_valuePath, m_datePath, m_timePath});
}

Status JsonRule::check() const
{
    if (m_valuePath.empty())
        return Status::error(Status::Code::InvalidInput, "The JSON rule needs a value path.");
    for (const std::string* path : {&m_valuePath, &m_datePath, &m_timePath}) {
        if (RulePartsText::hasControlCharacter(*path))
            return Status::error(Status::Code::InvalidInput, "A JSON path must not hold control characters.");
        if (path->empty())
            continue;
        const Result<JsonPath> parsed = JsonPath::parse(RulePartsText::withPlaceholderLetters(*path));
        if (!parsed)
            return parsed.status();
    }
    if (utf8Length(encode()) > UrlVariables::kMaxLength)
        return Status::error(Status::Code::InvalidInput, kTooLong);
    return Status::ok();
}

Result<JsonRule> JsonRule::withItemVariables(const std::string& name, const std::string& symbol) const
{
    JsonRule rule;
    rule.m_valuePath = UrlVariables::substituteItemVariables(m_valuePath, name, symbol).text;
    rule.m_datePath = UrlVariables::substituteItemVariables(m_datePath, name, symbol).text;
    rule.m_timePath = UrlVariables::substituteItemVariables(m_timePath, name, symbol).text;
    if (utf8Length(rule.encode()) > UrlVariables::kMaxLength)
        return Status::error(Status::Code::InvalidInput, kTooLong);
    return rule;
}
