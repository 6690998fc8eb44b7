// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ItemGain.h"

#include "core/model/FigureText.h"

bool hasGain(const PortfolioItem& item)
{
    const double last = item.lastValue().value_or(0.0);
    return last != 0 && item.quantity != 0 && item.avgBuyPrice != 0;
}

double gain(const PortfolioItem& item, bool percent)
{
    const double last = item.lastValue().value_or(0.0);
    return percent ? last * 100 / item.avgBuyPrice - 100 : item.quantity * (last - item.avgBuyPrice);
}

std::string investedText(const PortfolioItem& item, bool percent)
{
    if (item.isInvestedAmountHistory)
        return {};
    const double invested = item.lastValue().value_or(0.0) * item.quantity;
    std::string text = FigureText::fixed(invested, 4, 2);
    if (!hasGain(item))
        return text;
    text += " (";
    FigureText::appendFixed(text, gain(item, percent), percent ? 2 : 4, 2, true);
    text += percent ? "%)" : ")";
    return text;
}
