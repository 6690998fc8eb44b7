// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartRange.h"

#include <algorithm>

namespace {

SeriesStart seriesStart(const PortfolioItem& item, time_t from)
{
    const std::vector<Quotation>& history = item.quotations;
    SeriesStart start;
    start.item = &item;
    start.index = int(history.size()) - 1;
    for (size_t i = 0; i < history.size(); ++i) {
        if (history[i].time >= from) {
            start.index = int(i);
            break;
        }
    }
    const Quotation& record = history[size_t(start.index)];
    start.base = record.value;
    if (record.time > from && start.index > 0) {
        const Quotation& previous = history[size_t(start.index - 1)];
        const long long whole = minutesBetween(previous.time, record.time);
        // Records less than a minute apart have no slope in whole minutes; the later value holds.
        if (whole != 0) {
            const double part = double(minutesBetween(previous.time, from)) / double(whole);
            start.base = previous.value + part * (record.value - previous.value);
        }
        start.interpolated = true;
    }
    return start;
}

// Index of the first record at or after the period's start, the last record when none is.
int firstShown(const PortfolioItem& item)
{
    const std::vector<Quotation>& history = item.quotations;
    const int count = int(history.size());
    if (!item.usePeriodStart)
        return 0;
    for (int i = 0; i < count; ++i) {
        if (history[size_t(i)].time >= item.periodStart)
            return i;
    }
    return count - 1;
}

int lastShown(const PortfolioItem& item, int first)
{
    const std::vector<Quotation>& history = item.quotations;
    const int count = int(history.size());
    if (!item.usePeriodEnd)
        return count - 1;
    int last = first;
    for (int i = first; i < count && history[size_t(i)].time <= item.periodEnd; ++i)
        last = i;
    return last;
}

} // namespace

long long minutesBetween(time_t from, time_t to)
{
    return static_cast<long long>(to - from) / 60;
}

ChartRange ChartRange::ofItem(const PortfolioItem& item)
{
    ChartRange range;
    const std::vector<Quotation>& history = item.quotations;
    const int count = int(history.size());
    if (count < 2)
        return range;
    const int first = firstShown(item);
    range.from = history[size_t(first)].time;
    range.to = history[size_t(lastShown(item, first))].time;
    range.firstIndex = first;
    double low = history[size_t(first)].value;
    double high = low;
    for (int i = first; i < count && history[size_t(i)].time <= range.to; ++i) {
        low = std::min(low, history[size_t(i)].value);
        high = std::max(high, history[size_t(i)].value);
        ++range.pointCount;
    }
    range.base = history[size_t(first)].value;
    if (high == low)
        high = low == 0 ? 1.0 : low * 1.1;
    range.low = low;
    range.high = high;
    range.valueSpan = high - low == 0 ? 1.0 : high - low;
    if (range.base > 0) {
        range.highRatio = high / range.base;
        range.lowRatio = low / range.base;
    }
    return range;
}

ChartRange ChartRange::ofComparison(const std::vector<const PortfolioItem*>& items, const ComparisonSettings& limits)
{
    ChartRange range;
    bool any = false;
    for (const PortfolioItem* item : items) {
        if (item->quotations.empty())
            continue;
        const time_t first = item->quotations.front().time;
        const time_t last = item->quotations.back().time;
        range.from = any ? std::max(range.from, first) : first;
        range.to = any ? std::max(range.to, last) : last;
        any = true;
    }
    if (limits.useBegin)
        range.from = any ? std::max(range.from, limits.beginTime()) : limits.beginTime();
    if (limits.useEnd)
        range.to = any ? std::min(range.to, limits.endTime()) : limits.endTime();
    range.highRatio = 1.0;
    range.lowRatio = 1.0;
    for (const PortfolioItem* item : items) {
        if (item->quotations.size() < 2)
            continue;
        const SeriesStart start = seriesStart(*item, range.from);
        range.base = start.base;
        range.series.push_back(start);
        if (start.base <= 0)
            continue;
        double low = std::min(start.base, item->quotations[size_t(start.index)].value);
        double high = std::max(start.base, item->quotations[size_t(start.index)].value);
        for (size_t i = size_t(start.index) + 1; i < item->quotations.size(); ++i) {
            if (item->quotations[i].time > range.to)
                break;
            low = std::min(low, item->quotations[i].value);
            high = std::max(high, item->quotations[i].value);
        }
        range.highRatio = std::max(range.highRatio, high / start.base);
        range.lowRatio = std::min(range.lowRatio, low / start.base);
    }
    return range;
}

int ChartRange::comparisonPoints(const PortfolioItem& item) const
{
    const auto start =
        std::find_if(series.begin(), series.end(), [&item](const SeriesStart& s) { return s.item == &item; });
    if (start == series.end())
        return 0;
    int points = start->interpolated ? 1 : 0;
    for (size_t i = size_t(start->index); i < item.quotations.size() && item.quotations[i].time <= to; ++i)
        points += item.quotations[i].time >= from;
    return points;
}

double ChartRange::ratioOf(double value, double base) const
{
    // Without a positive base the values are spread over the chart by their own range.
    if (base > 0)
        return value / base;
    return (value - low) / valueSpan;
}
