#include "core/extract/JsonExtract.h"

#include "core/base/LocalTime.h"
#include "core/extract/JsonPage.h"
#include "core/extract/JsonPath.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationNumber.h"
#include "core/extract/QuotationTimeParts.h"
#include "core/extract/RegexExtract.h"

#include <QDateTime>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

namespace {

using json = nlohmann::ordered_json;

constexpr double kMillisecondsFrom = 1e11;
// About 300,000 years either way: beyond that no calendar conversion is attempted.
constexpr double kLargestSeconds = 1e13;

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

std::optional<time_t> unixTime(double number)
{
    if (std::fabs(number) > kMillisecondsFrom)
        number /= 1000.0;
    if (!std::isfinite(number) || std::fabs(number) > kLargestSeconds)
        return std::nullopt;
    return static_cast<time_t>(std::floor(number));
}

// Runs of digits and of letters (any byte above ASCII counts as a letter).
std::vector<std::string> tokens(const std::string& text)
{
    std::vector<std::string> parts;
    auto kind = [](unsigned char c) { return std::isdigit(c) ? 1 : (std::isalpha(c) || c >= 0x80) ? 2 : 0; };
    for (size_t i = 0; i < text.size();) {
        const int k = kind(static_cast<unsigned char>(text[i]));
        size_t end = i + 1;
        while (k != 0 && end < text.size() && kind(static_cast<unsigned char>(text[end])) == k)
            ++end;
        if (k != 0)
            parts.push_back(text.substr(i, end - i));
        i = end;
    }
    return parts;
}

// What a date or time value says: an instant, or calendar parts that replace those of the reference.
class MomentReader {
public:
    explicit MomentReader(time_t reference) : m_parts(reference) { }

    bool readDate(const json& value)
    {
        if (value.is_number())
            return takeInstant(unixTime(value.get<double>()));
        if (!value.is_string())
            return false;
        const std::string text = trimmed(value.get_ref<const std::string&>());
        const QString qtext = QString::fromStdString(text);
        if (const QDate date = QDate::fromString(qtext, Qt::ISODate); date.isValid() && text.size() == 10) {
            m_parts.setDate(date.day(), date.month(), date.year());
            return true;
        }
        if (const QDateTime dateTime = QDateTime::fromString(qtext, Qt::ISODateWithMs); dateTime.isValid())
            return takeInstant(dateTime.toSecsSinceEpoch());
        const std::vector<std::string> parts = tokens(text);
        if (parts.size() < 3)
            return false;
        const bool yearFirst = parts[0].size() == 4 && std::isdigit(static_cast<unsigned char>(parts[0][0]));
        m_parts.readDay(parts[yearFirst ? 2 : 0].c_str());
        m_parts.readMonth(parts[1].c_str(), parts[1].size());
        m_parts.readYear(parts[yearFirst ? 0 : 2].c_str());
        return true;
    }

    bool readTime(const json& value)
    {
        m_instant.reset();
        if (value.is_number())
            return takeTimeOfDay(unixTime(value.get<double>()));
        if (!value.is_string())
            return false;
        const std::string text = trimmed(value.get_ref<const std::string&>());
        const QString qtext = QString::fromStdString(text);
        if (const QDateTime dateTime = QDateTime::fromString(qtext, Qt::ISODateWithMs); dateTime.isValid())
            return takeTimeOfDay(dateTime.toSecsSinceEpoch());
        const std::vector<std::string> parts = tokens(text);
        if (parts.size() < 2 || !std::isdigit(static_cast<unsigned char>(parts[0][0])) ||
            !std::isdigit(static_cast<unsigned char>(parts[1][0])))
            return false;
        m_parts.readHour(parts[0].c_str());
        m_parts.readMinute(parts[1].c_str());
        return true;
    }

    std::optional<time_t> time() const { return m_instant ? m_instant : m_parts.build(); }

private:
    bool takeInstant(std::optional<time_t> instant)
    {
        if (!instant || !localCalendarTime(*instant))
            return false;
        m_instant = instant;
        m_parts = QuotationTimeParts(*instant);
        return true;
    }
    bool takeTimeOfDay(std::optional<time_t> instant)
    {
        const std::optional<std::tm> calendar = instant ? localCalendarTime(*instant) : std::nullopt;
        if (!calendar)
            return false;
        m_parts.setTimeOfDay(calendar->tm_hour, calendar->tm_min);
        return true;
    }

    QuotationTimeParts m_parts;
    std::optional<time_t> m_instant;
};

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
    MomentReader moment(referenceTime);
    for (const auto& [pathText, isDate] :
         {std::pair{&rule.paths.datePath(), true}, std::pair{&rule.paths.timePath(), false}}) {
        if (pathText->empty())
            continue;
        const Lookup found = lookUp(document.document(), *pathText);
        if (found.failure)
            return *found.failure;
        if (!(isDate ? moment.readDate(*found.value) : moment.readTime(*found.value)))
            return failure(ExtractStatus::InvalidValue, valueExcerpt(*found.value));
    }
    const std::optional<time_t> time = moment.time();
    if (!time)
        return failure(ExtractStatus::QuotationNotFound, "The date or time of the match is out of range.");
    result.time = *time;
    return result;
}

} // namespace JsonExtract
