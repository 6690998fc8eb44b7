#pragma once

#include "core/base/Status.h"

#include <cstdint>
#include <ctime>
#include <limits>

// One quotation: a value valid at a point in time (seconds since the epoch, UTC).
struct CKurs {
    time_t time = 0;
    double value = 0.0;

    bool operator==(const CKurs&) const = default;
};

// A portfolio file stores times in 32 bits: 1901-12-13 20:45:52 to 2038-01-19 03:14:07 UTC.
inline Status checkStorableTime(time_t time)
{
    if (time >= std::numeric_limits<int32_t>::min() && time <= std::numeric_limits<int32_t>::max())
        return Status::ok();
    return Status::error(Status::Code::InvalidInput, "Error: Date outside 1901-12-13 to 2038-01-19!");
}
