// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonExtract.h"

#include "core/extract/JsonPage.h"
#include "core/extract/JsonPath.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationMoment.h"
#include "core/extract/QuotationNumber.h"
#include "core/extract/RegexExtract.h"

#include <optional>

namespace {

using json = nlohmann::ordered_json;

ExtractResult failure(ExtractStatus status, std::string excerpt)
{
    ExtractResult result;
    result.status = status;
    result.excerpt = PageText::limitExcerpt(excerpt);
    return result;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Blanks end the text, so the number parser reads short numbers that end the string too.
ExtractStatus readValue(const json& value, const JsonExtract::Rule& rule, double& number)
{
    if (value.is_number()) {
        number = value.get<double>();
        return ExtractStatus::QuotationFound;
    }
    if (!value.is_string())
        return ExtractStatus::InvalidValue;
    const std::string text = trimmed(value.get_ref<const std::string&>()) + "  ";
    return parseQuotationNumber(text.c_str(), rule.thousands, rule.decimal, number) == ExtractStatus::QuotationFound
        ? ExtractStatus::QuotationFound
        : ExtractStatus::InvalidValue;
}

bool readMoment(QuotationMoment& moment, const json& value, bool isDate)
{
    if (value.is_number())
        return isDate ? moment.readDateNumber(value.get<double>()) : moment.readTimeNumber(value.get<double>());
    if (!value.is_string())
        return false;
    const std::string& text = value.get_ref<const std::string&>();
    return isDate ? moment.readDateText(text) : moment.readTimeText(text);
}

struct Lookup {
    const json* value = nullptr;
    std::optional<ExtractResult> failure;
};

Lookup lookUp(const json& document, const std::string& pathText)
{
    const Result<JsonPath> path = JsonPath::parse(pathText);
    if (!path)
        return {nullptr, failure(ExtractStatus::QuotationNotFound, path.message())};
    JsonPath::Found found = path->evaluate(document);
    if (!found.value)
        return {nullptr, failure(ExtractStatus::JsonPathNotFound, std::move(found.matched))};
    return {found.value, std::nullopt};
}

std::string valueExcerpt(const json& value)
{
    return RegexExtract::captureExcerpt(value.is_string() ? value.get_ref<const std::string&>() : value.dump());
}

} // namespace

namespace JsonExtract {

ExtractResult extract(std::string_view page, const Rule& rule, time_t referenceTime)
{
    const JsonPage document(page);
    if (!document.isValid())
        return failure(ExtractStatus::PageNotJson, "byte " + std::to_string(document.errorByte()));
    const Lookup value = lookUp(document.document(), rule.paths.valuePath());
    if (value.failure)
        return *value.failure;
    ExtractResult result;
    result.time = referenceTime;
    result.status = readValue(*value.value, rule, result.value);
    if (result.status != ExtractStatus::QuotationFound) {
        result.excerpt = valueExcerpt(*value.value);
        return result;
    }
    if (rule.paths.datePath().empty() && rule.paths.timePath().empty())
        return result;
    QuotationMoment moment(referenceTime, rule.dateOrder);
    for (const auto& [pathText, isDate] :
         {std::pair{&rule.paths.datePath(), true}, std::pair{&rule.paths.timePath(), false}}) {
        if (pathText->empty())
            continue;
        const Lookup found = lookUp(document.document(), *pathText);
        if (found.failure)
            return *found.failure;
        if (!readMoment(moment, *found.value, isDate))
            return failure(ExtractStatus::InvalidValue, valueExcerpt(*found.value));
    }
    const std::optional<time_t> time = moment.time();
    if (!time)
        return failure(ExtractStatus::QuotationNotFound, "The date or time of the match is out of range.");
    result.time = *time;
    return result;
}

} // namespace JsonExtract
