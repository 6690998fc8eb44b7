#pragma once

#include "core/model/CKurs.h"
#include "core/servers/ServerConfig.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// One item of the portfolio: a security with its server rules, chart and alarm settings,
// investment and quotation history (ascending by time).
class CWPapier {
public:
    static constexpr const char* kInvestedAmountHistoryName = " Invested Amount History";
    static constexpr int kChartColourCount = 11;
    static const uint32_t kChartColours[kChartColourCount];

    enum SortKey { Name = 0, LastUpdate, LastValue, Low, High, LastDayChange, LastChange, TotalChange, Invested };

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
    std::vector<CKurs> quotations;
    int32_t updating = 0;
    int32_t isInvestedAmountHistory = 0;

    // A new item as the "Insert new item" command makes it; `colourSeed` picks the chart colour.
    static CWPapier newItem(const std::string& name, time_t now, unsigned colourSeed);
    static CWPapier newInvestedAmountHistory(time_t now);

    int AddQuotation(time_t time, double value);

    bool GetLastTime(time_t& time) const;
    bool GetFirstTime(time_t& time) const;
    bool GetLastValue(double& value) const;
    bool GetLowHigh(double& low, double& high) const;
    bool GetTotalChangePercent(double& percent) const;
    bool GetTotalChange(double& diff) const;
    bool GetLastChangePercent(bool dayMode, double& percent) const;
    bool GetLastChange(bool dayMode, double& diff) const;
    bool GetReferenceTime(bool dayMode, time_t& time) const;
    int CompareItems(const CWPapier& other, int key) const;

    // Sentinel times of the empty history, in local time.
    static time_t noQuotationTime();
    static time_t noReferenceTime();

private:
    // Index of the reference quotation for a change, or -1 when there is none.
    int referenceIndex(bool dayMode) const;
    bool sortFigure(int key, double& figure) const;
};
