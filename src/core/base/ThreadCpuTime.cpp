// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/ThreadCpuTime.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

std::chrono::nanoseconds threadCpuTime()
{
#ifdef _WIN32
    FILETIME creation, exit, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user))
        return {};
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    // FILETIME counts 100 ns steps.
    return std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100);
#else
    timespec now{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0)
        return {};
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
#endif
}
