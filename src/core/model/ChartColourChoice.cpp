// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ChartColourChoice.h"

#include <set>

uint32_t ChartColourChoice::unusedColour(const PortfolioDocument& doc, unsigned random)
{
    std::set<uint32_t> taken;
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        taken.insert(doc.item(pos).chartColour);
    const int count = PortfolioItem::kChartColourCount;
    const int start = int(random % unsigned(count));
    for (int step = 0; step < count; ++step) {
        const uint32_t colour = PortfolioItem::kChartColours[(start + step) % count];
        if (taken.count(colour) == 0)
            return colour;
    }
    return PortfolioItem::kChartColours[start];
}
