// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ChartColourChoice.h"

#include <gtest/gtest.h>

#include <set>

namespace {

void addItems(PortfolioDocument& doc, int items)
{
    for (int i = 0; i < items; ++i)
        doc.addItem(PortfolioItem::newItem("Item " + std::to_string(i), 0, unsigned(i)));
}

} // namespace

// Whatever the random start, a new item takes a colour no item has, while the palette has one left.
TEST(ChartColourChoice, NewItemsTakeAFreePaletteColour)
{
    const int palette = PortfolioItem::kChartColourCount;
    for (int items : {0, 1, palette - 1, palette}) {
        PortfolioDocument doc;
        addItems(doc, items);
        std::set<uint32_t> taken;
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            taken.insert(doc.item(pos).chartColour);
        for (unsigned random : {0u, 5u, 10u, 11u, 4294967295u}) {
            const uint32_t colour = ChartColourChoice::unusedColour(doc, random);
            if (items < palette) {
                EXPECT_EQ(taken.count(colour), 0u) << items << " items, random " << random;
            } else {
                EXPECT_EQ(colour, PortfolioItem::kChartColours[random % unsigned(palette)]);
            }
        }
    }
}

// Pure green and yellow-green vanished on white paper; every colour is at most as light as orange.
TEST(ChartColourChoice, PaletteColoursReadOnWhite)
{
    for (uint32_t stored : PortfolioItem::kChartColours) {
        const double red = stored & 0xFF;
        const double green = (stored >> 8) & 0xFF;
        const double blue = (stored >> 16) & 0xFF;
        EXPECT_LT(0.2126 * red + 0.7152 * green + 0.0722 * blue, 0.65 * 255) << std::hex << stored;
    }
}
