// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <optional>

// The calendar fields of a time in the local zone (TZ); empty when the calendar cannot hold it.
std::optional<tm> localCalendarTime(time_t time);

// The time of the given calendar fields in the local zone, as std::mktime finds it (-1 when it cannot).
time_t localTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
