// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>
#include <limits>

// One quotation: a value valid at a point in time (seconds since the epoch, UTC).
struct Quotation {
    time_t time = 0;
    double value = 0.0;

    bool operator==(const Quotation&) const = default;
};

// Whether a portfolio file can store `time`: its 32 bits hold 1901-12-13 20:45:52 to 2038-01-19 03:14:07 UTC.
constexpr bool isStorableTime(time_t time)
{
    return time >= std::numeric_limits<int32_t>::min() && time <= std::numeric_limits<int32_t>::max();
}

// How a quotation at a time the file cannot store is refused where it enters an item.
constexpr const char* kUnstorableTimeText = "Error: Date outside 1901-12-13 to 2038-01-19!";

// The values a person can enter as a quotation; a downloaded value outside them is refused as well.
constexpr double kMinQuotationValue = 0.001;
constexpr double kMaxQuotationValue = 999999999;

constexpr bool isEnterableValue(double value)
{
    return value >= kMinQuotationValue && value <= kMaxQuotationValue;
}
