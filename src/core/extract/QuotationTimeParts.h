// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <optional>

class LocalTimeCache;

// Day, month, year, hour and minute of a quotation time being rebuilt from a regular-expression match.
// Parts that a match does not supply keep their previous value.
class QuotationTimeParts {
public:
    // The parts of `reference` in local time.
    explicit QuotationTimeParts(time_t reference);
    // What an import starts from: day 30 of today's month and year, 20:00.
    static QuotationTimeParts importStart(time_t today);

    // Each reads from `capture`, which points into zero-terminated text; `length` is the capture's byte length.
    // Numbers are read on past the capture's end while digits follow.
    void readDay(const char* capture);
    void readMonth(const char* capture, size_t length);
    void readYear(const char* capture);
    void readHour(const char* capture);
    void readMinute(const char* capture);
    void setDate(int day, int month, int year);
    void setTimeOfDay(int hour, int minute);

    // Local time with seconds 0, out-of-range parts carried over by the calendar; none when that time
    // cannot be represented.
    std::optional<time_t> build() const;
    // The same through `zone`, for callers that build many times.
    std::optional<time_t> build(LocalTimeCache& zone) const;

    int day() const { return m_day; }
    int month() const { return m_month; }
    int year() const { return m_year; }

private:
    int m_day = 1;
    int m_month = 1;
    int m_year = 1970;
    int m_hour = 0;
    int m_minute = 0;
};
