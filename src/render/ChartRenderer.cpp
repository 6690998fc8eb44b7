// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartRenderer.h"

#include "core/base/FormatText.h"
#include "render/ChartColours.h"
#include "render/ChartLayout.h"
#include "render/ChartRange.h"
#include "render/ColumnOutline.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

#include <optional>

namespace {

QString qtext(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

// Paints one chart into the painter: the layout decides where, this decides what is drawn and in which order.
class ChartPainting {
public:
    ChartPainting(QPainter& painter, const QRect& rect, const ChartRequest& request)
        : m_painter(painter), m_rect(rect), m_request(request), m_style(request.style),
          m_comparison(request.items.size() > 1), m_pens(ChartPens::forDevice(painter.device()))
    {
    }

    ChartResult run();

private:
    // False when nothing but the title (or nothing at all) fits.
    bool prepare();
    // The comparison's colours and legend, and the legend's room below the title.
    void prepareLegend(ChartTextSizes& sizes);
    QString emptyReason() const;
    void drawEmptyReason();
    void paintChart();
    void drawTitle(const QString& text);
    QString titleText() const;
    void drawAxes();
    void drawValueTicks(double low, double high, bool percent);
    void drawSingleCurve();
    void drawPointLabel(const PortfolioItem& item, const ChartPoint& point, const QFontMetrics& label);
    void drawComparisonCurves();
    void drawTimeAxis();
    void drawDateLabel(int x, const QString& text);
    QFontMetrics metricsOf(const QFont& font) const { return QFontMetrics(font, m_painter.device()); }
    QColor colourOf(const PortfolioItem& item) const;

    QPainter& m_painter;
    QRect m_rect;
    const ChartRequest& m_request;
    const ChartStyle& m_style;
    bool m_comparison;
    ChartPens m_pens;
    std::vector<QColor> m_colours;
    std::optional<ChartLegend> m_legend;
    ChartRange m_range;
    std::optional<ChartLayout> m_layout;
    ColumnOutline m_outline;
    ChartResult m_result;
};

ChartResult ChartPainting::run()
{
    m_result.comparison = m_comparison;
    if (m_request.items.empty())
        return m_result;
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    if (prepare())
        paintChart();
    m_painter.restore();
    return m_result;
}

bool ChartPainting::prepare()
{
    const PortfolioItem& first = *m_request.items.front();
    m_range =
        m_comparison ? ChartRange::ofComparison(m_request.items, m_request.comparison) : ChartRange::ofItem(first);
    if (m_range.lowRatio == m_range.highRatio)
        m_range.highRatio *= 1.1;
    ChartTextSizes sizes = ChartTextSizes::measure(m_painter.device(), m_style, m_comparison, first, m_range.high);
    m_layout.emplace(m_rect, sizes, m_style.printer);
    if (m_comparison) {
        prepareLegend(sizes);
        m_layout.emplace(m_rect, sizes, m_style.printer);
    }
    m_result.dataArea = m_layout->plotArea().rect();
    m_result.axisFrame = m_layout->axisFrame().rect();
    if (!m_layout->fits())
        return false;
    if (!m_comparison && m_range.pointCount < 2) {
        drawTitle(QString::fromStdString(first.name));
        return false;
    }
    m_result.from = m_range.from;
    m_result.to = m_range.to;
    m_layout->scaleTo(m_range);
    if (m_comparison)
        m_result.emptyReason = emptyReason();
    return true;
}

void ChartPainting::prepareLegend(ChartTextSizes& sizes)
{
    m_colours = ChartColours::distinct(m_request.items);
    std::vector<LegendEntry> entries;
    for (size_t i = 0; i < m_request.items.size(); ++i)
        entries.push_back(LegendEntry{QString::fromStdString(m_request.items[i]->name), m_colours[i]});
    m_legend.emplace(std::move(entries), m_style.label, m_painter.device(), m_pens, m_layout->plotArea().width());
    m_result.legend = m_legend->entries();
    sizes.legendHeight = m_legend->height();
}

QString ChartPainting::emptyReason() const
{
    const bool chosen = m_request.comparison.useBegin || m_request.comparison.useEnd;
    for (const PortfolioItem* item : m_request.items) {
        if (m_range.comparisonPoints(*item) >= 2)
            continue;
        const QString name = QString::fromStdString(item->name);
        if (!chosen)
            return QCoreApplication::translate(
                       "Chart", "No common period: %1 has fewer than two quotations in the chosen period.")
                .arg(name);
        return QCoreApplication::translate("Chart", "No common period: %1 has fewer than two quotations from %2 to %3.")
            .arg(name, ChartStyle::dateText(m_range.from), ChartStyle::dateText(m_range.to));
    }
    return QString();
}

void ChartPainting::drawEmptyReason()
{
    const ChartEdges& plot = m_layout->plotArea();
    m_painter.setFont(m_style.date);
    m_painter.setPen(m_style.text);
    m_painter.drawText(QRect(m_rect.left(), plot.top, m_rect.width(), plot.height()),
                       Qt::AlignCenter | Qt::TextWordWrap, m_result.emptyReason);
}

void ChartPainting::paintChart()
{
    drawTitle(titleText());
    if (m_legend)
        m_legend->draw(m_painter, QPoint(m_layout->plotArea().left, m_rect.top() + m_layout->sizes().titleHeight),
                       m_style.text);
    if (!m_result.emptyReason.isEmpty()) {
        drawEmptyReason();
        return;
    }
    drawAxes();
    const PortfolioItem& first = *m_request.items.front();
    if (!m_comparison && first.axisLabel() == AxisLabel::Nominal)
        drawValueTicks(m_range.low, m_range.high, false);
    else if (m_range.base > 0)
        drawValueTicks(m_range.lowRatio, m_range.highRatio, true);
    if (m_comparison) {
        drawComparisonCurves();
        drawTimeAxis();
    } else {
        drawSingleCurve();
    }
}

QString ChartPainting::titleText() const
{
    const QString from = ChartStyle::dateText(m_range.from);
    const QString to = ChartStyle::dateText(m_range.to);
    if (!m_comparison)
        return QStringLiteral("%1 (%2-%3)").arg(QString::fromStdString(m_request.items.front()->name), from, to);
    const QString name = m_style.printer
        ? m_request.documentTitle
        : QStringLiteral("[%1]").arg(QCoreApplication::translate("Chart", "Comparison"));
    if (m_layout->spanMinutes() < 1)
        return name;
    return QStringLiteral("%1 (%2-%3)").arg(name, from, to);
}

void ChartPainting::drawTitle(const QString& text)
{
    const QFontMetrics metrics = metricsOf(m_style.title);
    m_painter.setFont(m_style.title);
    m_painter.setPen(m_style.text);
    const ChartEdges& plot = m_layout->plotArea();
    const int centre = (plot.left + plot.right) / 2;
    m_painter.drawText(QPoint(centre - metrics.horizontalAdvance(text) / 2, m_rect.top() + metrics.ascent()), text);
}

void ChartPainting::drawAxes()
{
    const ChartEdges& axis = m_layout->axisFrame();
    m_painter.setPen(m_pens.axis());
    m_painter.drawLine(axis.left, axis.top, axis.left, axis.bottom);
    m_painter.drawLine(axis.left, axis.bottom, axis.right, axis.bottom);
}

void ChartPainting::drawValueTicks(double low, double high, bool percent)
{
    const ChartEdges& axis = m_layout->axisFrame();
    const bool grid = m_comparison ? m_request.comparison.grid : m_request.items.front()->showGridLines != 0;
    const QFontMetrics label = metricsOf(m_style.label);
    m_painter.setFont(m_style.label);
    for (const ValueTick& tick : m_layout->valueTicks(low, high, percent)) {
        m_painter.setPen(grid ? m_pens.grid() : m_pens.axis());
        m_painter.drawLine(axis.left, tick.y, grid ? axis.right : axis.left + m_pens.scaled(3), tick.y);
        m_painter.setPen(m_style.text);
        const QString shown = qtext(tick.text);
        const int baseline = tick.y - m_layout->sizes().titleHeight / 2 + label.ascent();
        m_painter.drawText(QPoint(axis.left - label.horizontalAdvance(shown), baseline), shown);
        m_result.valueLabels << shown;
    }
}

QColor ChartPainting::colourOf(const PortfolioItem& item) const
{
    for (size_t i = 0; i < m_colours.size(); ++i) {
        if (m_request.items[i] == &item)
            return m_colours[i];
    }
    return ChartRenderer::colourOf(item.chartColour);
}

void ChartPainting::drawSingleCurve()
{
    const PortfolioItem& item = *m_request.items.front();
    m_result.firstShownIndex = m_range.firstIndex;
    m_result.points.reserve(size_t(m_range.pointCount));
    m_outline.start(m_range.pointCount);
    std::vector<int> pointXs;
    pointXs.reserve(size_t(m_range.pointCount));
    for (int i = 0; i < m_range.pointCount; ++i) {
        const Quotation& record = item.quotations[size_t(m_range.firstIndex + i)];
        const int y = m_layout->yOfRatio(m_range.ratioOf(record.value, m_range.base));
        const ChartPoint point{m_layout->xOf(record.time), y, record.time, record.value};
        m_result.points.push_back(point);
        pointXs.push_back(point.x);
        m_outline.add(QPoint(point.x, point.y));
    }
    // One polyline draws the same pixels as the line from each point to the next.
    m_painter.setPen(m_pens.curve(colourOf(item)));
    m_painter.drawPolyline(m_outline.finish());
    const QFontMetrics label = metricsOf(m_style.label);
    m_painter.setFont(m_style.label);
    const std::vector<bool> dated = m_layout->datedPoints(pointXs);
    for (size_t i = 0; i < m_result.points.size(); ++i) {
        const ChartPoint& point = m_result.points[i];
        drawPointLabel(item, point, label);
        if (dated[i]) {
            drawDateLabel(point.x, ChartStyle::dateText(point.time));
            m_painter.setFont(m_style.label);
        }
    }
}

void ChartPainting::drawPointLabel(const PortfolioItem& item, const ChartPoint& point, const QFontMetrics& label)
{
    const QColor colour = colourOf(item);
    QString text;
    if (item.pointLabel() == PointLabel::Percent && m_range.base > 0) {
        text = qtext(formatText("%.2lf%%", point.value * 100 / m_range.base));
    } else if (item.pointLabel() == PointLabel::Nominal) {
        text = qtext(formatText("%.3lf", point.value));
    } else if (item.pointLabel() == PointLabel::SquareMark) {
        const int side = m_pens.scaled(5);
        m_painter.fillRect(QRect(point.x - side / 2, point.y - side / 2, side, side), colour);
    }
    if (!text.isEmpty()) {
        m_painter.setPen(colour);
        m_painter.drawText(QPoint(point.x - label.horizontalAdvance(text) / 2, point.y + label.ascent()), text);
    }
}

void ChartPainting::drawDateLabel(int x, const QString& text)
{
    const int bottom = m_layout->axisFrame().bottom;
    m_painter.setPen(m_pens.axis());
    m_painter.drawLine(x, bottom, x, bottom - m_pens.scaled(3));
    const QFontMetrics date = metricsOf(m_style.date);
    m_painter.save();
    m_painter.setPen(m_style.text);
    m_painter.setFont(m_style.date);
    // Reading upward, the text ends at the axis and hangs below it.
    m_painter.translate(x + m_layout->sizes().dateLabelHeight / 2 + 1, bottom + 1);
    m_painter.rotate(-90);
    m_painter.drawText(QPoint(-date.horizontalAdvance(text), 0), text);
    m_painter.restore();
}

void ChartPainting::drawComparisonCurves()
{
    for (const SeriesStart& start : m_range.series) {
        if (start.base <= 0)
            continue;
        const std::vector<Quotation>& history = start.item->quotations;
        m_outline.start(qsizetype(history.size() - size_t(start.index)) + 1);
        if (start.interpolated)
            m_outline.add(QPoint(m_layout->plotArea().left, m_layout->yOfRatio(1.0)));
        for (size_t i = size_t(start.index); i < history.size() && history[i].time <= m_range.to; ++i)
            m_outline.add(QPoint(m_layout->xOf(history[i].time), m_layout->yOfRatio(history[i].value / start.base)));
        m_painter.setPen(m_pens.curve(colourOf(*start.item)));
        m_painter.drawPolyline(m_outline.finish());
    }
}

void ChartPainting::drawTimeAxis()
{
    for (time_t t : m_layout->dateTicks())
        drawDateLabel(m_layout->xOf(t), ChartStyle::dateText(t));
}

} // namespace

ChartResult ChartRenderer::draw(QPainter& painter, const QRect& rect, const ChartRequest& request)
{
    return ChartPainting(painter, rect, request).run();
}

QColor ChartRenderer::colourOf(uint32_t stored)
{
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}
