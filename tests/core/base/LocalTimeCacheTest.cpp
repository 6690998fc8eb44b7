// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/LocalTimeCache.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

// Sets TZ for one test and restores the previous zone afterwards.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        qputenv("TZ", QByteArray(zone));
        tzset();
    }
    ~ZoneScope()
    {
        if (m_old)
            qputenv("TZ", QByteArray(m_old->c_str()));
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

std::tm fields(int year, int month, int day, int hour, int minute)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_isdst = -1;
    return parts;
}

std::optional<time_t> libraryTime(std::tm parts)
{
    errno = 0;
    const time_t made = std::mktime(&parts);
    if (made == static_cast<time_t>(-1) && errno != 0)
        return std::nullopt;
    return made;
}

// Converts through the C library and the cache in turn, so both carry the same guess into the next call.
void expectSame(LocalTimeCache& cache, const std::tm& parts, const std::string& what)
{
    const std::optional<time_t> expected = libraryTime(parts);
    EXPECT_EQ(cache.makeTime(parts), expected) << what;
}

std::string describe(const std::tm& p)
{
    return std::to_string(p.tm_year + 1900) + "-" + std::to_string(p.tm_mon + 1) + "-" + std::to_string(p.tm_mday) +
        " " + std::to_string(p.tm_hour) + ":" + std::to_string(p.tm_min);
}

const char* const kZones[] = {"Europe/Berlin", "America/New_York"};

} // namespace

TEST(LocalTimeCache, EqualsMktimeHourlyFrom2000To2030BothWays)
{
    for (const char* zone : kZones) {
        ZoneScope scope(zone);
        LocalTimeCache cache;
        const std::tm first = fields(2000, 1, 1, 0, 0);
        const std::tm last = fields(2030, 12, 31, 23, 0);
        const int hours = static_cast<int>((libraryTime(last).value() - libraryTime(first).value()) / 3600) + 1;
        // Ascending, as most files are read, then descending, as price files newest first are.
        for (int h = 0; h < hours; ++h)
            expectSame(cache, fields(2000, 1, 1, h, 0), std::string(zone) + " +" + std::to_string(h) + " h");
        for (int h = hours - 1; h >= 0; --h)
            expectSame(cache, fields(2000, 1, 1, h, 30), std::string(zone) + " +" + std::to_string(h) + " h 30");
        if (HasFailure())
            return;
    }
}

TEST(LocalTimeCache, EqualsMktimeForOutOfRangeFieldsAndChangedHours)
{
    const std::tm table[] = {
        fields(2021, 2, 31, 12, 0),         fields(2021, 4, 31, 0, 0),         fields(2020, 2, 30, 0, 0),
        fields(2021, 1, 1, 24, 0),          fields(2021, 1, 1, 25, 61),        fields(2021, 1, 1, -1, 0),
        fields(2021, 1, 1, 0, -1),          fields(2021, 1, 1, 100000, 0),     fields(2021, 1, 1, 0, 1440),
        fields(2021, 12, 31, 23, 60),       fields(2021, 1, 1, -100000, -100), fields(2021, 3, 27, 26, 30),
        fields(2021, 3, 28, 2, 30),         fields(2021, 3, 28, 2, 0),         fields(2021, 3, 28, 3, 0),
        fields(2021, 10, 31, 2, 30),        fields(2021, 10, 30, 26, 0),       fields(2021, 3, 14, 2, 30),
        fields(2021, 3, 13, 26, 30),        fields(2021, 11, 7, 1, 30),        fields(2021, 11, 6, 25, 0),
        fields(1900, 1, 1, 0, 0),           fields(1901, 12, 13, 20, 45),      fields(1945, 5, 24, 2, 0),
        fields(2038, 1, 19, 3, 14),         fields(2100, 6, 30, 12, 0),        fields(9999, 12, 31, 23, 59),
        fields(2021, 1, 1, INT_MAX, 0),     fields(2021, 1, 1, INT_MIN, 0),    fields(2021, 1, 1, 0, INT_MAX),
        fields(2021, 1, 1, 0, INT_MIN),     fields(INT_MAX, 12, 31, 23, 0),    fields(INT_MAX, 12, 31, INT_MAX, 0),
        fields(INT_MAX - 2000, 1, 1, 0, 0), fields(1970, 1, 1, 0, 59),         fields(1969, 12, 31, 23, 59),
    };
    // The hour a change repeats or skips depends on the previous call's offset: each row follows a winter
    // and a summer date.
    const std::tm before[] = {fields(2021, 1, 15, 12, 0), fields(2021, 7, 15, 12, 0)};
    for (const char* zone : kZones) {
        ZoneScope scope(zone);
        LocalTimeCache cache;
        for (const std::tm& previous : before) {
            for (const std::tm& row : table) {
                expectSame(cache, previous, std::string(zone) + " before " + describe(row));
                expectSame(cache, row, std::string(zone) + " " + describe(row) + " after " + describe(previous));
            }
        }
    }
}

TEST(LocalTimeCache, EqualsMktimeWithoutDaylightSavingAndWithAFixedRule)
{
    for (const char* zone : {"UTC", "Asia/Kolkata", "XST-3XDT,M3.2.0/2,M11.1.0/2"}) {
        ZoneScope scope(zone);
        LocalTimeCache cache;
        for (int h = 0; h < 24 * 366 * 2; h += 5)
            expectSame(cache, fields(2023, 1, 1, h, 7 * h % 120 - 30), std::string(zone) + " +" + std::to_string(h));
    }
}
