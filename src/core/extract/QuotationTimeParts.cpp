// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/QuotationTimeParts.h"
#include "core/base/LocalTime.h"
#include "core/base/LocalTimeCache.h"

#include "core/extract/MonthNames.h"

#include <climits>
#include <cstdlib>
#include <string_view>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal integer as the C library reads it (leading blanks and a sign allowed), kept within int.
int readInteger(const char* text)
{
    // Most captures are a few plain digits, which cannot leave int: read without the library.
    constexpr int kSafeDigits = 9;
    int digits = 0;
    int plain = 0;
    for (; digits < kSafeDigits && isDigit(text[digits]); ++digits)
        plain = plain * 10 + (text[digits] - '0');
    if (digits > 0 && !isDigit(text[digits]))
        return plain;
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

QuotationTimeParts::QuotationTimeParts(time_t reference)
{
    const std::optional<std::tm> found = localCalendarTime(reference);
    if (!found)
        return;
    const std::tm& parts = *found;
    m_day = parts.tm_mday;
    m_month = parts.tm_mon + 1;
    m_year = parts.tm_year + 1900;
    m_hour = parts.tm_hour;
    m_minute = parts.tm_min;
}

QuotationTimeParts QuotationTimeParts::importStart(time_t today)
{
    QuotationTimeParts parts(today);
    parts.m_day = 30;
    parts.m_hour = 20;
    parts.m_minute = 0;
    return parts;
}

void QuotationTimeParts::readDay(const char* capture)
{
    const int day = readInteger(capture);
    if (day >= 1 && day <= 31)
        m_day = day;
}

void QuotationTimeParts::readMonth(const char* capture, size_t length)
{
    int month = MonthNames::monthOf(std::string_view(capture, length));
    if (month == 0)
        month = readInteger(capture);
    if (month >= 1 && month <= 12)
        m_month = month;
}

void QuotationTimeParts::readYear(const char* capture)
{
    const int year = readInteger(capture);
    if (year < 0)
        return;
    if (year >= 1900)
        m_year = year;
    else
        m_year = year < 50 ? 2000 + year : 1900 + year;
}

void QuotationTimeParts::readHour(const char* capture)
{
    m_hour = readInteger(capture);
}

void QuotationTimeParts::readMinute(const char* capture)
{
    m_minute = readInteger(capture);
}

void QuotationTimeParts::setDate(int day, int month, int year)
{
    m_day = day;
    m_month = month;
    m_year = year;
}

void QuotationTimeParts::setTimeOfDay(int hour, int minute)
{
    m_hour = hour;
    m_minute = minute;
}

std::optional<time_t> QuotationTimeParts::build() const
{
    LocalTimeCache zone;
    return build(zone);
}

std::optional<time_t> QuotationTimeParts::build(LocalTimeCache& zone) const
{
    std::tm parts{};
    parts.tm_year = m_year - 1900;
    parts.tm_mon = m_month - 1;
    parts.tm_mday = m_day;
    parts.tm_hour = m_hour;
    parts.tm_min = m_minute;
    parts.tm_sec = 0;
    parts.tm_isdst = -1;
    return zone.makeTime(parts);
}
