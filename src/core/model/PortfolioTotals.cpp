// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioTotals.h"

#include "core/base/FormatText.h"
#include "core/model/PortfolioDocument.h"

void PortfolioTotals::Sum::add(const PortfolioItem& item)
{
    const std::vector<Quotation>& history = item.quotations;
    if (item.quantity == 0 || history.empty())
        return;
    m_invested += history.back().value * item.quantity;
    if (item.avgBuyPrice == 0) {
        m_gainAvailable = false;
        m_lastAvailable = false;
        return;
    }
    if (m_gainAvailable)
        m_bought += item.avgBuyPrice * item.quantity;
    if (m_lastAvailable) {
        if (history.size() >= 2)
            m_previous += history[history.size() - 2].value * item.quantity;
        else
            m_lastAvailable = false;
    }
}

PortfolioTotals PortfolioTotals::Sum::totals() const
{
    PortfolioTotals totals;
    totals.invested = m_invested;
    const bool gainAvailable = m_gainAvailable && m_invested != 0 && m_bought != 0;
    const bool lastAvailable = m_lastAvailable && m_invested != 0 && m_previous != 0;
    totals.gainAvailable = gainAvailable;
    totals.lastAvailable = gainAvailable && lastAvailable;
    if (gainAvailable) {
        totals.totalGain = m_invested - m_bought;
        totals.totalPercent = m_invested * 100 / m_bought - 100;
    }
    if (totals.lastAvailable) {
        totals.lastGain = m_invested - m_previous;
        totals.lastPercent = m_invested * 100 / m_previous - 100;
    }
    return totals;
}

PortfolioTotals PortfolioTotals::of(const std::vector<const PortfolioItem*>& items)
{
    Sum sum;
    for (const PortfolioItem* item : items)
        sum.add(*item);
    return sum.totals();
}

PortfolioTotals PortfolioTotals::of(const PortfolioDocument& doc)
{
    std::vector<const PortfolioItem*> items;
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
