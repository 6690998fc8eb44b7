#include "core/model/CWPapier.h"
#include "core/base/TextCompare.h"

#include <algorithm>

namespace {

constexpr time_t kOneYear = 31536000;
constexpr time_t kDayChangeDistance = 36000; // ten hours

time_t localTime(int year, int month, int day)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

CWPapier withItemDefaults(const std::string& name, time_t now)
{
    CWPapier item;
    item.name = name;
    item.server = ServerConfig::newItemDefaults();
    item.periodStart = now;
    item.periodEnd = now + kOneYear;
    return item;
}

} // namespace

const uint32_t CWPapier::kChartColours[kChartColourCount] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x7F7F7F, 0x00C8BE,
                                                             0x7F007F, 0x646400, 0x0096FF, 0xDCB400, 0x9600DC};

CWPapier CWPapier::newItem(const std::string& name, time_t now, unsigned colourSeed)
{
    CWPapier item = withItemDefaults(name, now);
    item.chartColour = kChartColours[colourSeed % kChartColourCount];
    return item;
}

CWPapier CWPapier::newInvestedAmountHistory(time_t now)
{
    CWPapier item = withItemDefaults(kInvestedAmountHistoryName, now);
    item.server.name = ServerConfig::kUserDefinedName;
    item.isInvestedAmountHistory = 1;
    return item;
}

time_t CWPapier::noQuotationTime()
{
    return localTime(1975, 1, 23);
}

time_t CWPapier::noReferenceTime()
{
    return localTime(1980, 1, 1);
}

int CWPapier::AddQuotation(time_t time, double value)
{
    if (quotations.empty() || time < quotations.front().time) {
        quotations.insert(quotations.begin(), CKurs{time, value});
        return 0;
    }
    // Where the walk from the oldest record stops: the first record later than `time`,
    // never looking at the newest record's time.
    const auto lastCandidate = quotations.end() - 1;
    const auto stop =
        std::upper_bound(quotations.begin(), lastCandidate, time, [](time_t t, const CKurs& k) { return t < k.time; });
    const int k = static_cast<int>(stop - quotations.begin());
    const int prev = k == 0 ? 0 : k - 1;
    if (quotations[prev].time == time) {
        quotations[prev].value = value;
        return k;
    }
    if (quotations[k].time == time) {
        quotations[k].value = value;
        return k;
    }
    if (time > quotations[k].time) {
        quotations.push_back(CKurs{time, value});
        return k + 1;
    }
    quotations.insert(quotations.begin() + k, CKurs{time, value});
    return k;
}

bool CWPapier::GetLastTime(time_t& time) const
{
    if (quotations.empty()) {
        time = noQuotationTime();
        return false;
    }
    time = quotations.back().time;
    return true;
}

bool CWPapier::GetFirstTime(time_t& time) const
{
    if (quotations.empty()) {
        time = noQuotationTime();
        return false;
    }
    time = quotations.front().time;
    return true;
}

bool CWPapier::GetLastValue(double& value) const
{
    value = quotations.empty() ? 0.0 : quotations.back().value;
    return !quotations.empty();
}

bool CWPapier::GetLowHigh(double& low, double& high) const
{
    low = high = 0.0;
    if (quotations.empty())
        return false;
    const auto [lowest, highest] = std::minmax_element(
        quotations.begin(), quotations.end(), [](const CKurs& a, const CKurs& b) { return a.value < b.value; });
    low = lowest->value;
    high = highest->value;
    return true;
}

bool CWPapier::GetTotalChangePercent(double& percent) const
{
    percent = 0.0;
    if (quotations.empty())
        return false;
    const double first = quotations.front().value;
    if (first != 0.0)
        percent = quotations.back().value * 100.0 / first - 100.0;
    return true;
}

bool CWPapier::GetTotalChange(double& diff) const
{
    diff = 0.0;
    if (quotations.empty())
        return false;
    diff = quotations.back().value - quotations.front().value;
    return true;
}

int CWPapier::referenceIndex(bool dayMode) const
{
    const int newest = static_cast<int>(quotations.size()) - 1;
    if (newest < 1)
        return -1;
    if (!dayMode)
        return newest - 1;
    const time_t lastTime = quotations[newest].time;
    for (int i = newest - 1; i >= 0; --i)
        if (lastTime - quotations[i].time >= kDayChangeDistance)
            return i;
    return -1;
}

bool CWPapier::GetLastChangePercent(bool dayMode, double& percent) const
{
    percent = 0.0;
    if (quotations.empty())
        return false;
    const int ref = referenceIndex(dayMode);
    if (ref < 0)
        return true;
    const double refValue = quotations[ref].value;
    const double last = quotations.back().value;
    if (refValue != last && refValue != 0.0)
        percent = last * 100.0 / refValue - 100.0;
    return true;
}

bool CWPapier::GetLastChange(bool dayMode, double& diff) const
{
    diff = 0.0;
    if (quotations.empty())
        return false;
    const int ref = referenceIndex(dayMode);
    if (ref < 0)
        return true;
    const double refValue = quotations[ref].value;
    if (refValue != 0.0)
        diff = quotations.back().value - refValue;
    return true;
}

bool CWPapier::GetReferenceTime(bool dayMode, time_t& time) const
{
    if (quotations.size() < 2) {
        time = noReferenceTime();
        return false;
    }
    const int ref = referenceIndex(dayMode);
    time = quotations[ref < 0 ? 0 : ref].time;
    return true;
}

bool CWPapier::sortFigure(int key, double& figure) const
{
    time_t time = 0;
    double low = 0.0, high = 0.0, value = 0.0;
    switch (key) {
    case LastUpdate:
        GetLastTime(time);
        figure = static_cast<double>(time);
        return true;
    case LastValue:
        GetLastValue(figure);
        return true;
    case Low:
        GetLowHigh(figure, high);
        return true;
    case High:
        GetLowHigh(low, figure);
        return true;
    case LastDayChange:
        GetLastChangePercent(true, figure);
        return true;
    case LastChange:
        GetLastChangePercent(false, figure);
        return true;
    case TotalChange:
        GetTotalChangePercent(figure);
        return true;
    case Invested:
        GetLastValue(value);
        figure = value * quantity;
        return true;
    default:
        return false;
    }
}

int CWPapier::CompareItems(const CWPapier& other, int key) const
{
    const int byName = sign(compareIgnoringCase(name, other.name));
    if (key == Name)
        return byName;
    double mine = 0.0, theirs = 0.0;
    if (!sortFigure(key, mine) || !other.sortFigure(key, theirs))
        return 0;
    if (mine > theirs)
        return 1;
    if (mine < theirs)
        return -1;
    return byName;
}
