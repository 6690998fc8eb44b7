// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

// Dates and numbers as the C library formats them under the current locale and time zone.
namespace LocaleFormat {

// `format` as strftime takes it, applied to the local time of `time`; "" for a time the
// calendar cannot represent.
std::string localTime(time_t time, const char* format);
// `format` as printf takes it, with one double argument.
std::string number(const char* format, double value);

} // namespace LocaleFormat
