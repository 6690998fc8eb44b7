// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/ChartRange.h"
#include "render/ChartTextSizes.h"

#include <QRect>

#include <ctime>
#include <string>
#include <vector>

// Truncation toward zero, forgiving the last bit of a product such as 0.1 * (400 / 0.1).
int pixel(double value);

// A rectangle by its edges; right and bottom lie just outside.
struct ChartEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect rect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
};

// One value-axis tick: where it lies and its label.
struct ValueTick {
    int y = 0;
    std::string text;
};

// Where the parts of the chart go: the plot area inside the axis frame, the scales from time and value
// to pixels, and which ticks and date labels fit.
class ChartLayout {
public:
    ChartLayout(const QRect& rect, const ChartTextSizes& sizes, bool printer);

    const ChartTextSizes& sizes() const { return m_sizes; }
    const ChartEdges& plotArea() const { return m_plot; }
    const ChartEdges& axisFrame() const { return m_axis; }
    bool fits() const { return m_plot.width() >= 0 && m_plot.height() >= 0; }

    // Sets the scales for the range's period and values; the other members below need them.
    void scaleTo(const ChartRange& range);
    long long spanMinutes() const { return m_spanMinutes; }
    int xOf(time_t time) const;
    int yOfRatio(double ratio) const;
    int yOfValue(double value) const;

    // The ticks from `low` to `high`, as ratios written in percent or as nominal values; a label that
    // would repeat the previous one (or, nominal, its line) is left out.
    std::vector<ValueTick> valueTicks(double low, double high, bool percent) const;
    // The dates labelled on a comparison's time axis: whole days apart, as many as fit.
    std::vector<time_t> dateTicks() const;
    // For each point left to right, whether its date label fits beside the previous one.
    std::vector<bool> datedPoints(const std::vector<int>& pointXs) const;

private:
    ChartTextSizes m_sizes;
    ChartEdges m_plot;
    ChartEdges m_axis;
    time_t m_from = 0;
    time_t m_to = 0;
    double m_highRatio = 0.0;
    double m_high = 0.0;
    long long m_spanMinutes = 0;
    // Pixels per minute, per unit of ratio and per unit of value.
    double m_timeScale = 0.0;
    double m_ratioScale = 0.0;
    double m_valueScale = 0.0;
};
