// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioItem.h"
#include "core/base/LocalTime.h"
#include "core/base/TextCompare.h"

#include <algorithm>

namespace {

constexpr time_t kOneYear = 31536000;
constexpr time_t kDayChangeDistance = 36000; // ten hours

int sign(int value)
{
    return (value > 0) - (value < 0);
}

PortfolioItem withItemDefaults(const std::string& name, time_t now)
{
    PortfolioItem item;
    item.name = name;
    item.server = ServerConfig::newItemDefaults();
    item.periodStart = now;
    item.periodEnd = now + kOneYear;
    return item;
}

} // namespace

const uint32_t PortfolioItem::kChartColours[kChartColourCount] = {
    0x000000, 0x0000FF, 0x008000, 0xFF0000, 0x7F7F7F, 0x005A8C, 0x7F007F, 0x646400, 0x0096FF, 0xDCB400, 0x9600DC};

PortfolioItem PortfolioItem::newItem(const std::string& name, time_t now, unsigned colourSeed)
{
    PortfolioItem item = withItemDefaults(name, now);
    item.chartColour = kChartColours[colourSeed % kChartColourCount];
    return item;
}

PortfolioItem PortfolioItem::newInvestedAmountHistory(time_t now)
{
    PortfolioItem item = withItemDefaults(kInvestedAmountHistoryName, now);
    item.server.name = ServerConfig::kUserDefinedName;
    item.isInvestedAmountHistory = 1;
    return item;
}

time_t PortfolioItem::noQuotationTime()
{
    return localTimeOf(1975, 1, 23);
}

time_t PortfolioItem::noReferenceTime()
{
    return localTimeOf(1980, 1, 1);
}

int PortfolioItem::addQuotation(time_t time, double value)
{
    if (quotations.empty() || time < quotations.front().time) {
        quotations.insert(quotations.begin(), Quotation{time, value});
        return 0;
    }
    // Where the walk from the oldest record stops: the first record later than `time`,
    // never looking at the newest record's time.
    const auto lastCandidate = quotations.end() - 1;
    const auto stop = std::upper_bound(quotations.begin(), lastCandidate, time,
                                       [](time_t t, const Quotation& k) { return t < k.time; });
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
        quotations.push_back(Quotation{time, value});
        return k + 1;
    }
    quotations.insert(quotations.begin() + k, Quotation{time, value});
    return k;
}

std::optional<time_t> PortfolioItem::lastTime() const
{
    if (quotations.empty())
        return std::nullopt;
    return quotations.back().time;
}

std::optional<time_t> PortfolioItem::firstTime() const
{
    if (quotations.empty())
        return std::nullopt;
    return quotations.front().time;
}

std::optional<double> PortfolioItem::lastValue() const
{
    if (quotations.empty())
        return std::nullopt;
    return quotations.back().value;
}

std::optional<PortfolioItem::LowHigh> PortfolioItem::lowHigh() const
{
    if (quotations.empty())
        return std::nullopt;
    const auto [lowest, highest] = std::minmax_element(
        quotations.begin(), quotations.end(), [](const Quotation& a, const Quotation& b) { return a.value < b.value; });
    return LowHigh{lowest->value, highest->value};
}

std::optional<double> PortfolioItem::totalChangePercent() const
{
    if (quotations.empty())
        return std::nullopt;
    const double first = quotations.front().value;
    return first != 0.0 ? quotations.back().value * 100.0 / first - 100.0 : 0.0;
}

std::optional<double> PortfolioItem::totalChange() const
{
    if (quotations.empty())
        return std::nullopt;
    return quotations.back().value - quotations.front().value;
}

int PortfolioItem::referenceIndex(bool dayMode) const
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

std::optional<double> PortfolioItem::lastChangePercent(bool dayMode) const
{
    if (quotations.empty())
        return std::nullopt;
    const int ref = referenceIndex(dayMode);
    if (ref < 0)
        return 0.0;
    const double refValue = quotations[ref].value;
    const double last = quotations.back().value;
    return refValue != last && refValue != 0.0 ? last * 100.0 / refValue - 100.0 : 0.0;
}

std::optional<double> PortfolioItem::lastChange(bool dayMode) const
{
    if (quotations.empty())
        return std::nullopt;
    const int ref = referenceIndex(dayMode);
    if (ref < 0)
        return 0.0;
    const double refValue = quotations[ref].value;
    return refValue != 0.0 ? quotations.back().value - refValue : 0.0;
}

std::optional<time_t> PortfolioItem::referenceTime(bool dayMode) const
{
    if (quotations.size() < 2)
        return std::nullopt;
    const int ref = referenceIndex(dayMode);
    return quotations[ref < 0 ? 0 : ref].time;
}

std::optional<double> PortfolioItem::sortFigure(SortKey key) const
{
    switch (key) {
    case SortKey::LastUpdate:
        return static_cast<double>(lastTime().value_or(noQuotationTime()));
    case SortKey::Value:
        return lastValue().value_or(0.0);
    case SortKey::Low:
        return lowHigh().value_or(LowHigh{}).low;
    case SortKey::High:
        return lowHigh().value_or(LowHigh{}).high;
    case SortKey::LastDayChange:
        return lastChangePercent(true).value_or(0.0);
    case SortKey::LastChange:
        return lastChangePercent(false).value_or(0.0);
    case SortKey::TotalChange:
        return totalChangePercent().value_or(0.0);
    case SortKey::Invested:
        return lastValue().value_or(0.0) * quantity;
    default:
        return std::nullopt;
    }
}

int PortfolioItem::compareItems(const PortfolioItem& other, SortKey key) const
{
    const int byName = sign(compareIgnoringCase(name, other.name));
    if (key == SortKey::Name)
        return byName;
    const std::optional<double> mine = sortFigure(key);
    const std::optional<double> theirs = other.sortFigure(key);
    if (!mine || !theirs)
        return 0;
    if (*mine > *theirs)
        return 1;
    if (*mine < *theirs)
        return -1;
    return byName;
}
