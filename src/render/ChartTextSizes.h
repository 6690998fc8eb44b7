// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"
#include "render/ChartStyle.h"

class QPaintDevice;

// The measured text sizes the layout is built from, in device pixels.
struct ChartTextSizes {
    int titleHeight = 0;
    // A date label's length: its room below the axis, as the labels are written upward.
    int dateLabelLength = 0;
    // A date label's line height, its width on the time axis.
    int dateLabelHeight = 0;
    // The widest label written at a point, and the widest value-axis label.
    int pointLabelWidth = 0;
    int axisLabelWidth = 0;
    int labelHeight = 0;
    // The width of an "M" in the label font: the paper margin.
    int letterWidth = 0;
    // The least room between two date labels: 5 pixels on screen, 2 mm on paper.
    int labelGap = 5;
    // The comparison's legend between the title and the plot; set once the plot's width is known.
    int legendHeight = 0;

    // `comparison` charts write percentages; a single chart sizes nominal values by `high`, its largest.
    static ChartTextSizes measure(QPaintDevice* device, const ChartStyle& style, bool comparison,
                                  const PortfolioItem& first, double high);
};
