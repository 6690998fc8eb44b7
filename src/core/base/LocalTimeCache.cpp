// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/LocalTimeCache.h"
#include "core/base/LocalTime.h"

#include <cerrno>

namespace {

constexpr int64_t kDay = 86400;
// Offsets are learnt per UTC day; a zone that changed its offset and back within one day would go unseen.
constexpr int64_t kWindow = kDay;
// Requests further away than about 30,000 years go to the C library, which knows its own limits there.
constexpr int64_t kCachedRange = int64_t(1) << 40;
constexpr size_t kMaxWindows = 1 << 16;
// As many probes as mktime allows itself before giving up.
constexpr int kProbes = 6;

int64_t floorDiv(int64_t a, int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Days from 1970-01-01 to the first of January of `year` in the proleptic Gregorian calendar.
int64_t daysToYear(int64_t year)
{
    const int64_t y = year - 1;
    return 365 * (year - 1970) + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400) - 477;
}

bool isLeap(int64_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// The fields as seconds since 1970 read as UTC, carrying out-of-range months, days, hours and minutes over
// as mktime does.
int64_t localSeconds(const std::tm& fields)
{
    static constexpr int kMonthStart[2][12] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                               {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};
    const int64_t year = int64_t(fields.tm_year) + 1900 + floorDiv(fields.tm_mon, 12);
    const int month = static_cast<int>(fields.tm_mon - floorDiv(fields.tm_mon, 12) * 12);
    const int64_t days = daysToYear(year) + kMonthStart[isLeap(year)][month] + fields.tm_mday - 1;
    return days * kDay + int64_t(fields.tm_hour) * 3600 + int64_t(fields.tm_min) * 60 + fields.tm_sec;
}

} // namespace

std::optional<time_t> LocalTimeCache::makeTime(const std::tm& fields)
{
    const int64_t requested = localSeconds(fields);
    // mktime clamps seconds outside 0..59 and corrects afterwards, and honours a given tm_isdst: left to it.
    if (!m_guess || fields.tm_isdst >= 0 || fields.tm_sec < 0 || fields.tm_sec > 59 || requested < -kCachedRange ||
        requested > kCachedRange)
        return viaLibrary(fields, requested);

    // mktime's search: start from the previous call's offset and correct by the error, watching for the
    // oscillation that marks a skipped hour.
    const int64_t first = requested + *m_guess;
    int64_t t = first;
    int64_t t1 = first;
    int64_t t2 = first;
    bool dst2 = false;
    Probe found;
    for (int probes = kProbes;; --probes) {
        if (!probe(t, found))
            return viaLibrary(fields, requested);
        const int64_t error = requested - found.local;
        if (error == 0)
            break;
        // Oscillating across a skipped hour: mktime settles for a daylight-saving time if it met one.
        if (t == t1 && t != t2 && (!dst2 || found.dst))
            break;
        if (probes == 1)
            return viaLibrary(fields, requested);
        t1 = t2;
        t2 = t;
        t += error;
        dst2 = found.dst;
    }
    m_guess = t - requested;
    return static_cast<time_t>(t);
}

std::optional<time_t> LocalTimeCache::viaLibrary(const std::tm& fields, int64_t requested)
{
    std::tm parts = fields;
    errno = 0;
    const time_t made = std::mktime(&parts);
    if (made == static_cast<time_t>(-1) && errno != 0)
        return std::nullopt;
    m_guess = int64_t(made) - requested;
    return made;
}

bool LocalTimeCache::probe(int64_t time, Probe& out)
{
    const int64_t window = floorDiv(time, kWindow);
    const std::vector<Span>* spans = window == m_lastWindow && m_lastSpans ? m_lastSpans : spansOf(window);
    if (!spans)
        return false;
    m_lastWindow = window;
    m_lastSpans = spans;
    auto span = spans->begin();
    while (span + 1 != spans->end() && (span + 1)->start <= time)
        ++span;
    out.local = time + span->delta;
    out.dst = span->dst;
    return true;
}

const std::vector<LocalTimeCache::Span>* LocalTimeCache::spansOf(int64_t window)
{
    if (const auto known = m_windows.find(window); known != m_windows.end())
        return &known->second;
    if (m_windows.size() >= kMaxWindows) {
        m_windows.clear();
        m_lastSpans = nullptr;
    }
    std::vector<Span> spans;
    if (!fillWindow(window, spans))
        return nullptr;
    return &m_windows.emplace(window, std::move(spans)).first->second;
}

bool LocalTimeCache::fillWindow(int64_t window, std::vector<Span>& spans)
{
    const auto spanAt = [](int64_t time) -> std::optional<Span> {
        const std::optional<std::tm> local = localCalendarTime(static_cast<time_t>(time));
        if (!local)
            return std::nullopt;
        return Span{time, localSeconds(*local) - time, local->tm_isdst > 0};
    };
    const auto same = [](const Span& a, const Span& b) { return a.delta == b.delta && a.dst == b.dst; };
    std::optional<Span> start = spanAt(window * kWindow);
    const std::optional<Span> end = spanAt((window + 1) * kWindow);
    if (!start || !end)
        return false;
    spans.push_back(*start);
    // Each change inside the window is found by halving the stretch since the last one.
    while (!same(spans.back(), *end)) {
        int64_t unchanged = spans.back().start;
        int64_t changed = end->start;
        Span next = *end;
        while (changed - unchanged > 1) {
            const int64_t middle = unchanged + (changed - unchanged) / 2;
            const std::optional<Span> at = spanAt(middle);
            if (!at)
                return false;
            if (same(*at, spans.back()))
                unchanged = middle;
            else {
                changed = middle;
                next = *at;
            }
        }
        if (changed == end->start)
            break;
        spans.push_back(next);
    }
    return true;
}
