// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"
#include "core/settings/ComparisonSettings.h"
#include "render/ChartLegend.h"
#include "render/ChartStyle.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>

#include <ctime>
#include <vector>

class QPainter;

// One plotted quotation of the single chart: where it was drawn and what it shows.
struct ChartPoint {
    int x = 0;
    int y = 0;
    time_t time = 0;
    double value = 0.0;
};

// What to draw: no item, one item (its history) or several (their comparison), in list order.
struct ChartRequest {
    std::vector<const PortfolioItem*> items;
    ComparisonSettings comparison;
    ChartStyle style = ChartStyle::screen();
    // The comparison title on paper.
    QString documentTitle;
};

struct ChartResult {
    // Single mode: the drawn points in history order; empty otherwise.
    std::vector<ChartPoint> points;
    // Index in the item's history of the first point.
    int firstShownIndex = 0;
    QRect dataArea;
    QRect axisFrame;
    bool comparison = false;
    // The period shown and the value-axis labels drawn, lowest first.
    time_t from = 0;
    time_t to = 0;
    QStringList valueLabels;
    // Comparison: the legend's entries in list order.
    std::vector<LegendEntry> legend;
    // Why a comparison shows no curves; empty when it shows them.
    QString emptyReason;
};

// Draws the quotation chart into any painter: the title, the axes with their ticks, labels and grid,
// the curves, the point labels or marks and the date labels, laid out from measured text sizes.
class ChartRenderer {
public:
    static ChartResult draw(QPainter& painter, const QRect& rect, const ChartRequest& request);
    // The chart colour of an item, stored as 0x00BBGGRR.
    static QColor colourOf(uint32_t stored);
};
