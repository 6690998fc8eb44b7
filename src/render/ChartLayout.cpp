// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartLayout.h"

#include "core/base/FormatText.h"

#include <algorithm>
#include <climits>
#include <cmath>

int pixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double clamped = std::clamp(value, -1e9, 1e9);
    return static_cast<int>(clamped + (clamped >= 0 ? 1e-6 : -1e-6));
}

ChartLayout::ChartLayout(const QRect& rect, const ChartTextSizes& sizes, bool printer) : m_sizes(sizes)
{
    const int axisLabels = int(std::lround(1.5 * sizes.axisLabelWidth));
    const int halfPointLabel = sizes.pointLabelWidth / 2 + 1;
    const int dateLabels = sizes.dateLabelLength + sizes.labelHeight;
    m_plot.left = rect.left() + axisLabels + (printer ? sizes.letterWidth + 1 : 4);
    m_plot.top = rect.top() + sizes.titleHeight + sizes.legendHeight;
    m_plot.right = rect.left() + rect.width() - halfPointLabel;
    m_plot.bottom = rect.top() + rect.height() - (printer ? sizes.letterWidth + dateLabels : dateLabels + 3);
    m_axis.left = m_plot.left - halfPointLabel;
    m_axis.right = m_plot.right + halfPointLabel;
    m_axis.top = m_plot.top;
    m_axis.bottom = m_plot.bottom + sizes.labelHeight;
}

void ChartLayout::scaleTo(const ChartRange& range)
{
    m_from = range.from;
    m_to = range.to;
    m_highRatio = range.highRatio;
    m_high = range.high;
    m_spanMinutes = minutesBetween(range.from, range.to);
    m_timeScale = m_spanMinutes > 0 ? double(m_plot.width()) / double(m_spanMinutes) : 0.0;
    m_ratioScale = double(m_plot.height()) / (range.highRatio - range.lowRatio);
    m_valueScale = double(m_plot.height()) / range.valueSpan;
}

int ChartLayout::xOf(time_t time) const
{
    return pixel(double(minutesBetween(m_from, time)) * m_timeScale + m_plot.left);
}

int ChartLayout::yOfRatio(double ratio) const
{
    return pixel((m_highRatio - ratio) * m_ratioScale + m_plot.top);
}

int ChartLayout::yOfValue(double value) const
{
    return pixel((m_high - value) * m_valueScale + m_plot.top);
}

std::vector<ValueTick> ChartLayout::valueTicks(double low, double high, bool percent) const
{
    // About one label every other label height; the step is a quarter of a power of ten.
    const int count = std::max(1, (m_plot.height() / std::max(1, m_sizes.labelHeight) + 1) / 2);
    const double even = (high - low) / count;
    double step = 0.25 * std::pow(10.0, std::ceil(std::log10(even)));
    if (step == 0 || !std::isfinite(step))
        step = 0.0025;
    auto textOf = [percent](double t) { return percent ? formatText("%.2lf%%", t * 100) : formatText("%.3lf", t); };
    // Ticks are whole multiples of the step, counted rather than summed, so no error accumulates that would
    // make a tick fall short of the next and end the axis early.
    const double stride = std::max(1.0, std::round(even / step));
    const double last = high / step + 1e-9;
    std::vector<ValueTick> ticks;
    std::string previous;
    int previousY = INT_MIN;
    for (double multiple = std::ceil(low / step - 1e-9); multiple <= last; multiple += stride) {
        const double tick = multiple * step;
        std::string text = textOf(tick);
        const int y = percent ? yOfRatio(tick) : yOfValue(tick);
        if (text != previous && (percent || y != previousY)) {
            previous = text;
            previousY = y;
            ticks.push_back(ValueTick{y, std::move(text)});
        }
        // Values too large for the stride to move them end the axis.
        if (!(multiple + stride > multiple))
            break;
    }
    return ticks;
}

std::vector<time_t> ChartLayout::dateTicks() const
{
    std::vector<time_t> ticks;
    if (m_spanMinutes < 1)
        return ticks;
    // Whole days rounded up, so that labels never come closer than their gap.
    const int labels = m_plot.width() / (m_sizes.dateLabelHeight + m_sizes.labelGap);
    const long long minutesPerLabel = labels > 0 ? (m_spanMinutes + labels - 1) / labels : m_spanMinutes;
    const long long days = (minutesPerLabel + 1439) / 1440;
    const time_t stride = time_t(std::max<long long>(1, days)) * 86400;
    for (time_t t = m_from; t < m_to; t += stride)
        ticks.push_back(t);
    return ticks;
}

std::vector<bool> ChartLayout::datedPoints(const std::vector<int>& pointXs) const
{
    std::vector<bool> dated(pointXs.size(), false);
    int labelEnd = 0;
    for (size_t i = 0; i < pointXs.size(); ++i) {
        const int labelStart = pointXs[i] - m_sizes.dateLabelHeight / 2 - 1;
        if (i == 0 || labelStart > labelEnd + m_sizes.labelGap) {
            dated[i] = true;
            labelEnd = labelStart + m_sizes.dateLabelHeight;
        }
    }
    return dated;
}
