// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/ChartPens.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;

// One legend entry: an item's name and the colour of its curve.
struct LegendEntry {
    QString name;
    QColor colour;
};

// The comparison's legend below the title: for each item a short line in its colour and its name, in
// rows as wide as the plot area.
class ChartLegend {
public:
    ChartLegend(std::vector<LegendEntry> entries, const QFont& font, const QPaintDevice* device, const ChartPens& pens,
                int width);

    int height() const { return m_height; }
    const std::vector<LegendEntry>& entries() const { return m_entries; }
    void draw(QPainter& painter, const QPoint& topLeft, const QColor& text) const;

private:
    std::vector<LegendEntry> m_entries;
    // Where each entry starts, from the legend's top left corner, and its shown (perhaps shortened) name.
    std::vector<QPoint> m_places;
    QStringList m_shown;
    QFont m_font;
    ChartPens m_pens;
    int m_lineLength = 0;
    int m_ascent = 0;
    int m_rowHeight = 0;
    int m_height = 0;
};
