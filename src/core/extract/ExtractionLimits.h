// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

// What ends an extraction early besides its own processor-time budget: the item's timeout and the user's
// abort. Both are looked at where the budget is, so an extraction ends soon after either.
struct ExtractionLimits {
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    std::function<bool()> aborted;
};
