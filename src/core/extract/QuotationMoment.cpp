// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/QuotationMoment.h"

#include "core/base/LocalTime.h"

#include <QDateTime>
#include <cctype>
#include <cmath>
#include <vector>

namespace {

constexpr double kMillisecondsFrom = 1e11;
// About 300,000 years either way: beyond that no calendar conversion is attempted.
constexpr double kLargestSeconds = 1e13;

std::optional<time_t> unixTime(double number)
{
    if (std::fabs(number) > kMillisecondsFrom)
        number /= 1000.0;
    if (!std::isfinite(number) || std::fabs(number) > kLargestSeconds)
        return std::nullopt;
    return static_cast<time_t>(std::floor(number));
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
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

} // namespace

std::optional<DateOrder> DateOrder::fromIndices(int day, int month, int year)
{
    const bool inRange = day >= 1 && day <= 3 && month >= 1 && month <= 3 && year >= 1 && year <= 3;
    if (!inRange || day == month || day == year || month == year)
        return std::nullopt;
    return DateOrder{day - 1, month - 1, year - 1};
}

QuotationMoment::QuotationMoment(time_t reference, std::optional<DateOrder> order) : m_parts(reference), m_order(order)
{
}

bool QuotationMoment::readDateNumber(double number)
{
    return takeInstant(unixTime(number));
}

bool QuotationMoment::readDateText(const std::string& value)
{
    const std::string text = trimmed(value);
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
    const DateOrder order = m_order.value_or(yearFirst ? DateOrder{2, 1, 0} : DateOrder{});
    const std::string& month = parts[static_cast<size_t>(order.month)];
    m_parts.readDay(parts[static_cast<size_t>(order.day)].c_str());
    m_parts.readMonth(month.c_str(), month.size());
    m_parts.readYear(parts[static_cast<size_t>(order.year)].c_str());
    return true;
}

bool QuotationMoment::readTimeNumber(double number)
{
    m_instant.reset();
    return takeTimeOfDay(unixTime(number));
}

bool QuotationMoment::readTimeText(const std::string& value)
{
    m_instant.reset();
    const std::string text = trimmed(value);
    if (const QDateTime dateTime = QDateTime::fromString(QString::fromStdString(text), Qt::ISODateWithMs);
        dateTime.isValid())
        return takeTimeOfDay(dateTime.toSecsSinceEpoch());
    const std::vector<std::string> parts = tokens(text);
    if (parts.size() < 2 || !std::isdigit(static_cast<unsigned char>(parts[0][0])) ||
        !std::isdigit(static_cast<unsigned char>(parts[1][0])))
        return false;
    m_parts.readHour(parts[0].c_str());
    m_parts.readMinute(parts[1].c_str());
    return true;
}

bool QuotationMoment::takeInstant(std::optional<time_t> instant)
{
    if (!instant || !localCalendarTime(*instant))
        return false;
    m_instant = instant;
    m_parts = QuotationTimeParts(*instant);
    return true;
}

bool QuotationMoment::takeTimeOfDay(std::optional<time_t> instant)
{
    const std::optional<std::tm> calendar = instant ? localCalendarTime(*instant) : std::nullopt;
    if (!calendar)
        return false;
    m_parts.setTimeOfDay(calendar->tm_hour, calendar->tm_min);
    return true;
}
