// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <unordered_map>
#include <vector>

// Turns local calendar fields into a time exactly as std::mktime does, for callers that convert many
// dates. The C library's mktime looks at the zone file on every call when TZ is unset; this cache asks
// localtime_r (which does not) once per day of UTC time and per offset change, and repeats mktime's own
// search over the cached offsets, including its guess from the previous call that decides the hour a
// daylight-saving change repeats. Not shared between threads.
class LocalTimeCache {
public:
    // What std::mktime gives for `fields` (out-of-range fields carried over, tm_isdst = -1 for "find out");
    // none where it fails.
    std::optional<time_t> makeTime(const std::tm& fields);

private:
    struct Span {
        int64_t start = 0; // first UTC second of the span
        int64_t delta = 0; // local fields minus UTC, in seconds
        bool dst = false;
    };
    struct Probe {
        int64_t local = 0;
        bool dst = false;
    };

    std::optional<time_t> viaLibrary(const std::tm& fields, int64_t requested);
    bool probe(int64_t time, Probe& out);
    const std::vector<Span>* spansOf(int64_t window);
    bool fillWindow(int64_t window, std::vector<Span>& spans);

    std::unordered_map<int64_t, std::vector<Span>> m_windows;
    int64_t m_lastWindow = 0;
    const std::vector<Span>* m_lastSpans = nullptr;
    // mktime's guess for the next call: the result minus the requested local seconds of the last call.
    std::optional<int64_t> m_guess;
};
