// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonExtract.h"

#include "core/extract/JsonPath.h"
#include "core/extract/JsonPathStream.h"
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
    std::optional<json> value;
    std::optional<ExtractResult> failure;
};

// Each path reads the page once; the page is refused as JSON before the path is judged.
Lookup lookUp(std::string_view page, const std::string& pathText)
{
    const Result<JsonPath> path = JsonPath::parse(pathText);
    JsonPathStream::Outcome found = JsonPathStream::evaluate(page, path ? &*path : nullptr);
    if (found.errorByte != 0)
        return {std::nullopt, failure(ExtractStatus::PageNotJson, "byte " + std::to_string(found.errorByte))};
    if (!path)
        return {std::nullopt, failure(ExtractStatus::QuotationNotFound, path.message())};
    if (!found.value)
        return {std::nullopt, failure(ExtractStatus::JsonPathNotFound, std::move(found.matched))};
    return {std::move(found.value), std::nullopt};
}

std::string valueExcerpt(const json& value)
{
    return RegexExtract::captureExcerpt(value.is_string() ? value.get_ref<const std::string&>() : value.dump());
}

} // namespace

namespace JsonExtract {

ExtractResult extract(std::string_view page, const Rule& rule, time_t referenceTime)
{
    const Lookup value = lookUp(page, rule.paths.valuePath());
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
        const Lookup found = lookUp(page, *pathText);
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
