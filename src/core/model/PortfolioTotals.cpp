#include "core/model/PortfolioTotals.h"

#include "core/base/FormatText.h"
#include "core/model/CWPapierDoc.h"

PortfolioTotals PortfolioTotals::of(const std::vector<const CWPapier*>& items)
{
    PortfolioTotals totals;
    double bought = 0.0;
    double previous = 0.0;
    bool gainAvailable = true;
    bool lastAvailable = true;
    for (const CWPapier* item : items) {
        const std::vector<CKurs>& history = item->quotations;
        if (item->quantity == 0 || history.empty())
            continue;
        totals.invested += history.back().value * item->quantity;
        if (item->avgBuyPrice == 0) {
            gainAvailable = false;
            lastAvailable = false;
            continue;
        }
        if (gainAvailable)
            bought += item->avgBuyPrice * item->quantity;
        if (lastAvailable) {
            if (history.size() >= 2)
                previous += history[history.size() - 2].value * item->quantity;
            else
                lastAvailable = false;
        }
    }
    if (totals.invested == 0 || bought == 0)
        gainAvailable = false;
    if (totals.invested == 0 || previous == 0)
        lastAvailable = false;
    totals.gainAvailable = gainAvailable;
    totals.lastAvailable = gainAvailable && lastAvailable;
    if (gainAvailable) {
        totals.totalGain = totals.invested - bought;
        totals.totalPercent = totals.invested * 100 / bought - 100;
    }
    if (totals.lastAvailable) {
        totals.lastGain = totals.invested - previous;
        totals.lastPercent = totals.invested * 100 / previous - 100;
    }
    return totals;
}

PortfolioTotals PortfolioTotals::of(const CWPapierDoc& doc)
{
    std::vector<const CWPapier*> items;
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        items.push_back(&doc.item(pos));
    return of(items);
}

std::string PortfolioTotals::statusText(bool percent) const
{
    if (!gainAvailable)
        return formatText("Amount invested: %4.2lf", invested);
    if (!lastAvailable) {
        return percent ? formatText("Amount invested: %4.2lf (Total: %+2.2lf%%)", invested, totalPercent)
                       : formatText("Amount invested: %4.2lf (Total: %+4.2lf)", invested, totalGain);
    }
    return percent
        ? formatText("Amount invested: %4.2lf (Last: %+2.2lf%% Total: %+2.2lf%%)", invested, lastPercent, totalPercent)
        : formatText("Amount invested: %4.2lf (Last: %+4.2lf Total: %+4.2lf)", invested, lastGain, totalGain);
}
