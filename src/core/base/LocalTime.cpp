// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/LocalTime.h"

std::optional<tm> localCalendarTime(time_t time)
{
    tm parts{};
#ifdef _WIN32
    if (localtime_s(&parts, &time) != 0)
        return std::nullopt;
#else
    if (!localtime_r(&time, &parts))
        return std::nullopt;
#endif
    return parts;
}

time_t localTimeOf(int year, int month, int day, int hour, int minute, int second)
{
    tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}
