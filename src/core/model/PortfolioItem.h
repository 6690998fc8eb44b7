// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/ItemColumn.h"
#include "core/model/Quotation.h"
#include "core/servers/ServerConfig.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// What the single chart writes at each point; stored as the number in graphValues.
enum class PointLabel : int32_t { None = 0, Percent = 1, Nominal = 2, SquareMark = 3 };
// How the single chart labels its value axis; stored as the number in axisValues.
enum class AxisLabel : int32_t { Percent = 0, Nominal = 1 };

// One item of the portfolio: a security with its server rules, chart and alarm settings,
// investment and quotation history (ascending by time).
class PortfolioItem {
public:
    static constexpr const char* kInvestedAmountHistoryName = " Invested Amount History";
    static constexpr int kChartColourCount = 11;
    static const uint32_t kChartColours[kChartColourCount];

    using SortKey = ItemColumn;

    struct LowHigh {
        double low = 0.0;
        double high = 0.0;
    };

    std::string name;
    std::string symbol;
    std::string note;
    ServerConfig server;
    int32_t chartOptionsSet = 1;
    int32_t showGridLines = 1;
    int32_t graphValues = 0;
    int32_t axisValues = 0;
    time_t periodStart = 0;
    time_t periodEnd = 0;
    int32_t usePeriodStart = 0;
    int32_t usePeriodEnd = 0;
    uint32_t chartColour = 0;
    int32_t alarmAboveEnabled = 0;
    int32_t alarmBelowEnabled = 0;
    int32_t alarmDiffEnabled = 0;
    double alarmAbove = 0.0;
    double alarmBelow = 0.0;
    double alarmDiffPercent = 20.0;
    double quantity = 0.0;
    double avgBuyPrice = 0.0;
    std::vector<Quotation> quotations;
    int32_t isInvestedAmountHistory = 0;

    // The stored chart numbers as what they mean; a number read from a file that names no label stays as read.
    PointLabel pointLabel() const { return static_cast<PointLabel>(graphValues); }
    AxisLabel axisLabel() const { return static_cast<AxisLabel>(axisValues); }

    // A new item as the "Insert new item" command makes it; `colourSeed` picks the chart colour.
    static PortfolioItem newItem(const std::string& name, time_t now, unsigned colourSeed);
    static PortfolioItem newInvestedAmountHistory(time_t now);

    int addQuotation(time_t time, double value);

    // Each figure is missing for an empty history. A change without a reference quotation is 0.
    std::optional<time_t> lastTime() const;
    std::optional<time_t> firstTime() const;
    std::optional<double> lastValue() const;
    std::optional<LowHigh> lowHigh() const;
    std::optional<double> totalChangePercent() const;
    std::optional<double> totalChange() const;
    std::optional<double> lastChangePercent(bool dayMode) const;
    std::optional<double> lastChange(bool dayMode) const;
    // Missing with fewer than two quotations; the oldest quotation's time when none is far enough back.
    std::optional<time_t> referenceTime(bool dayMode) const;
    int compareItems(const PortfolioItem& other, SortKey key) const;

    // Sentinel times of the empty history, in local time, for callers that show a missing time.
    static time_t noQuotationTime();
    static time_t noReferenceTime();

private:
    // Index of the reference quotation for a change, or -1 when there is none.
    int referenceIndex(bool dayMode) const;
    std::optional<double> sortFigure(SortKey key) const;
};
