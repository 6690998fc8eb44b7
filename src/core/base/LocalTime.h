#pragma once

#include <ctime>
#include <optional>

// The calendar fields of a time in the local zone (TZ); empty when the calendar cannot hold it.
std::optional<tm> localCalendarTime(time_t time);
