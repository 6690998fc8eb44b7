// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"
#include "core/settings/ComparisonSettings.h"

#include <ctime>
#include <vector>

// Whole minutes from `from` to `to`, the unit of the time axis.
long long minutesBetween(time_t from, time_t to);

// Where a comparison curve starts: its first record at or after the start, and its base value.
struct SeriesStart {
    const PortfolioItem* item = nullptr;
    int index = 0;
    double base = 0.0;
    // The base lies between two records, so the curve starts at the chart's left edge.
    bool interpolated = false;
};

// The period and the values a chart shows. Values are also plotted as ratios of a base value (the first
// shown record, or each curve's own start in a comparison).
struct ChartRange {
    time_t from = 0;
    time_t to = 0;
    double low = 0.0;
    double high = 0.0;
    // high - low, never 0.
    double valueSpan = 1.0;
    double lowRatio = 0.0;
    double highRatio = 1.0;
    double base = 0.0;
    // Single chart: the shown records of the item's history.
    int firstIndex = 0;
    int pointCount = 0;
    // Comparison: one start per item with at least two records.
    std::vector<SeriesStart> series;

    // The item's period (its own limits, if set); nothing shown with fewer than two records.
    static ChartRange ofItem(const PortfolioItem& item);
    // From the latest first record to the latest last one, within the comparison's limits.
    static ChartRange ofComparison(const std::vector<const PortfolioItem*>& items, const ComparisonSettings& limits);

    // Comparison: the points of the item's curve within the period, its interpolated start included.
    int comparisonPoints(const PortfolioItem& item) const;
    // The plotted ratio of `value`: to a positive base, else spread by the value range.
    double ratioOf(double value, double base) const;
};
