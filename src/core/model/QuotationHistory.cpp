// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/QuotationHistory.h"

#include <algorithm>

namespace {

constexpr time_t kNewRecordDistance = 5 * 60;

bool isStrictlyAscending(const std::vector<Quotation>& history)
{
    return std::adjacent_find(history.begin(), history.end(),
                              [](const Quotation& a, const Quotation& b) { return a.time >= b.time; }) == history.end();
}

// Price files list their lines oldest or newest first: such a run needs no sort. A strictly descending run is
// reversed; with equal times the later record must stay last, so any other order is sorted stably.
void sortByTimeStably(std::vector<Quotation>& records)
{
    const auto earlier = [](const Quotation& a, const Quotation& b) { return a.time < b.time; };
    if (std::is_sorted(records.begin(), records.end(), earlier))
        return;
    const auto notLater = [](const Quotation& a, const Quotation& b) { return a.time <= b.time; };
    if (std::adjacent_find(records.begin(), records.end(), notLater) == records.end()) {
        std::reverse(records.begin(), records.end());
        return;
    }
    std::stable_sort(records.begin(), records.end(), earlier);
}

// Adding to a strictly ascending history inserts or replaces by time, the later add winning: keep the
// last record per time, then merge.
std::vector<Quotation> mergedByTime(const std::vector<Quotation>& history, std::vector<Quotation> added)
{
    sortByTimeStably(added);
    std::vector<Quotation> lastPerTime;
    lastPerTime.reserve(added.size());
    for (const Quotation& record : added) {
        if (!lastPerTime.empty() && lastPerTime.back().time == record.time)
            lastPerTime.back() = record;
        else
            lastPerTime.push_back(record);
    }
    std::vector<Quotation> merged;
    merged.reserve(history.size() + lastPerTime.size());
    auto old = history.begin();
    for (const Quotation& record : lastPerTime) {
        while (old != history.end() && old->time < record.time)
            merged.push_back(*old++);
        if (old != history.end() && old->time == record.time)
            ++old;
        merged.push_back(record);
    }
    merged.insert(merged.end(), old, history.end());
    return merged;
}

} // namespace

namespace QuotationHistory {

bool deleteQuotation(PortfolioItem& item, int index)
{
    std::vector<Quotation>& history = item.quotations;
    if (index < 0 || index >= static_cast<int>(history.size()))
        return false;
    history.erase(history.begin() + index);
    return true;
}

bool splitQuotations(PortfolioItem& item, int index, double factor)
{
    if (!(factor > 0))
        return false;
    item.quantity *= factor;
    item.avgBuyPrice /= factor;
    item.alarmAbove /= factor;
    item.alarmBelow /= factor;
    if (index >= 0 && index < static_cast<int>(item.quotations.size())) {
        for (int k = 0; k <= index; ++k)
            item.quotations[k].value /= factor;
    }
    return true;
}

void invertQuotations(PortfolioItem& item)
{
    // A zero value has no inverse; it stays as it is rather than becoming infinite.
    for (Quotation& record : item.quotations) {
        if (record.value != 0)
            record.value = 1 / record.value;
    }
}

void multiplyQuotations(PortfolioItem& item, std::vector<Quotation> rates)
{
    if (item.quotations.empty() || rates.empty())
        return;
    // The rates are walked alongside the ascending history; the newest rate not later than each record applies.
    size_t next = 0;
    for (Quotation& record : item.quotations) {
        while (next < rates.size() && rates[next].time <= record.time)
            ++next;
        if (next > 0)
            record.value *= rates[next - 1].value;
    }
}

size_t mergeQuotations(PortfolioItem& item, std::vector<Quotation> inFileOrder)
{
    // A time the file cannot store would make every later save fail.
    std::erase_if(inFileOrder, [](const Quotation& record) { return !isStorableTime(record.time); });
    if (!isStrictlyAscending(item.quotations)) {
        for (const Quotation& record : inFileOrder)
            item.addQuotation(record.time, record.value);
    } else {
        item.quotations = mergedByTime(item.quotations, inFileOrder);
    }
    return inFileOrder.size();
}

int recordInvestedAmount(std::vector<PortfolioItem>& items)
{
    double sum = 0.0;
    time_t latest = PortfolioItem::noQuotationTime();
    for (const PortfolioItem& item : items) {
        if (item.quantity == 0 || item.quotations.empty())
            continue;
        sum += item.quotations.back().value * item.quantity;
        latest = std::max(latest, item.quotations.back().time);
    }
    const auto found = std::find_if(items.begin(), items.end(),
                                    [](const PortfolioItem& item) { return item.isInvestedAmountHistory != 0; });
    if (found == items.end())
        return -1;
    PortfolioItem& history = *found;
    const time_t last = history.lastTime().value_or(PortfolioItem::noQuotationTime());
    if (latest < last)
        return -1;
    if ((latest - last) / 60 >= kNewRecordDistance / 60) {
        history.addQuotation(latest, sum);
    } else if (!history.quotations.empty()) {
        history.quotations.back() = Quotation{latest, sum};
    }
    return static_cast<int>(found - items.begin());
}

} // namespace QuotationHistory
