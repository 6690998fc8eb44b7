// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartColours.h"

#include "render/ChartRenderer.h"

#include <algorithm>

namespace {

bool contains(const std::vector<QColor>& colours, const QColor& colour)
{
    return std::find(colours.begin(), colours.end(), colour) != colours.end();
}

// The palette first, then dark hues around the circle, skipping the ones already taken.
QColor unusedColour(const std::vector<QColor>& taken)
{
    for (uint32_t stored : PortfolioItem::kChartColours) {
        const QColor colour = ChartRenderer::colourOf(stored);
        if (!contains(taken, colour))
            return colour;
    }
    for (int step = 0;; ++step) {
        const QColor colour = QColor::fromHsv((step * 137) % 360, 255, 140 + (step / 360) % 100);
        if (!contains(taken, colour))
            return colour;
    }
}

} // namespace

std::vector<QColor> ChartColours::distinct(const std::vector<const PortfolioItem*>& items)
{
    std::vector<QColor> own;
    own.reserve(items.size());
    for (const PortfolioItem* item : items)
        own.push_back(ChartRenderer::colourOf(item->chartColour));
    std::vector<QColor> colours;
    colours.reserve(items.size());
    for (size_t i = 0; i < own.size(); ++i) {
        if (!contains(colours, own[i])) {
            colours.push_back(own[i]);
            continue;
        }
        // Neither a colour already drawn nor one a later item brings of its own.
        std::vector<QColor> taken = colours;
        taken.insert(taken.end(), own.begin() + std::ptrdiff_t(i), own.end());
        colours.push_back(unusedColour(taken));
    }
    return colours;
}
