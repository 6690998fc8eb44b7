#pragma once

#include <ctime>

// One quotation: a value valid at a point in time (seconds since the epoch, UTC).
struct CKurs {
    time_t time = 0;
    double value = 0.0;

    bool operator==(const CKurs&) const = default;
};
