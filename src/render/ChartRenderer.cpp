#include "render/ChartRenderer.h"

#include "core/base/FormatText.h"
#include "core/base/LocalTime.h"
#include "core/base/LocaleFormat.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect rect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
};

// Where a comparison curve starts: its first record at or after the start, and its base value.
struct SeriesStart {
    const PortfolioItem* item = nullptr;
    int index = 0;
    double base = 0.0;
    bool interpolated = false;
};

struct Range {
    time_t tmin = 0;
    time_t tmax = 0;
    double min = 0.0;
    double max = 0.0;
    double valueRange = 1.0;
    double rmin = 0.0;
    double rmax = 1.0;
    double base = 0.0;
    int first = 0;
    int count = 0;
    std::vector<SeriesStart> series;
};

struct Metrics {
    int hT = 0;
    int LD = 0;
    int HD = 0;
    int WG = 0;
    int WA = 0;
    int HL = 0;
    int w = 0;
};

long long minutesBetween(time_t from, time_t to)
{
    return static_cast<long long>(to - from) / 60;
}

// Truncation toward zero, forgiving the last bit of a product such as 0.1 * (400 / 0.1).
int pixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double clamped = std::clamp(value, -1e9, 1e9);
    return static_cast<int>(clamped + (clamped >= 0 ? 1e-6 : -1e-6));
}

QString qtext(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

QString sansFamily()
{
    static const QString family = QFontDatabase::families().contains(QStringLiteral("Arial"))
        ? QStringLiteral("Arial")
        : QStringLiteral("Liberation Sans");
    return family;
}

// Collects a curve point by point. The points that share a pixel column collapse to the first, the
// lowest, the highest and the last of them: the vertical lines between them cover the same pixels, so a
// polyline through the rest draws what the full one draws, whatever the number of points per column.
// Its buffer serves curve after curve.
class ColumnOutline {
public:
    void start(qsizetype expectedPoints)
    {
        m_outline.clear();
        m_outline.reserve(std::min<qsizetype>(expectedPoints, 4 * 4096));
        m_open = false;
    }

    void add(const QPoint& point)
    {
        if (m_open && point.x() == m_first.x()) {
            ++m_order;
            if (point.y() < m_low.y()) {
                m_low = point;
                m_lowOrder = m_order;
            }
            if (point.y() > m_high.y()) {
                m_high = point;
                m_highOrder = m_order;
            }
            m_last = point;
            return;
        }
        closeColumn();
        m_open = true;
        m_first = m_low = m_high = m_last = point;
        m_order = m_lowOrder = m_highOrder = 0;
    }

    const QPolygon& finish()
    {
        closeColumn();
        m_open = false;
        return m_outline;
    }

private:
    void closeColumn()
    {
        if (!m_open)
            return;
        const bool lowFirst = m_lowOrder <= m_highOrder;
        append(m_first);
        append(lowFirst ? m_low : m_high);
        append(lowFirst ? m_high : m_low);
        append(m_last);
    }

    void append(const QPoint& point)
    {
        if (m_outline.isEmpty() || m_outline.constLast() != point)
            m_outline.append(point);
    }

    QPolygon m_outline;
    bool m_open = false;
    QPoint m_first;
    QPoint m_low;
    QPoint m_high;
    QPoint m_last;
    int m_order = 0;
    int m_lowOrder = 0;
    int m_highOrder = 0;
};

class ChartDrawing {
public:
    ChartDrawing(QPainter& painter, const QRect& rect, const ChartRequest& request)
        : m_painter(painter), m_rect(rect), m_request(request), m_style(request.style),
          m_comparison(request.items.size() > 1)
    {
    }

    ChartResult run();

private:
    void singleRange();
    void comparisonRange();
    SeriesStart seriesStart(const PortfolioItem& item) const;
    void measure();
    void layout();
    void drawTitle(const QString& text);
    QString titleText() const;
    void drawAxes();
    void drawValueTicks(double lo, double hi, bool percent);
    void drawSingleCurve();
    void drawComparisonCurves();
    void drawTimeAxis();
    void drawDateLabel(int x, const QString& text);
    double ratioOf(double value, double base) const;
    int xOf(time_t time) const { return pixel(double(minutesBetween(m_range.tmin, time)) * m_timeScale + m_data.left); }
    int yOf(double ratio) const { return pixel((m_range.rmax - ratio) * m_ratioScale + m_data.top); }
    QFontMetrics metricsOf(const QFont& font) const { return QFontMetrics(font, m_painter.device()); }
    QPen itemPen(const PortfolioItem& item) const;

    QPainter& m_painter;
    QRect m_rect;
    const ChartRequest& m_request;
    const ChartStyle& m_style;
    bool m_comparison;
    Range m_range;
    Metrics m_metrics;
    Edges m_data;
    Edges m_axis;
    double m_timeScale = 0.0;
    double m_ratioScale = 0.0;
    double m_valueScale = 0.0;
    long long m_span = 0;
    ColumnOutline m_outline;
    ChartResult m_result;
};

ChartResult ChartDrawing::run()
{
    m_result.comparison = m_comparison;
    if (m_request.items.empty())
        return m_result;
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    if (m_comparison)
        comparisonRange();
    else
        singleRange();
    if (m_range.rmin == m_range.rmax)
        m_range.rmax *= 1.1;
    measure();
    layout();
    m_result.dataArea = m_data.rect();
    m_result.axisFrame = m_axis.rect();
    if (m_data.width() < 0 || m_data.height() < 0) {
        m_painter.restore();
        return m_result;
    }
    if (!m_comparison && m_range.count < 2) {
        drawTitle(QString::fromStdString(m_request.items.front()->name));
        m_painter.restore();
        return m_result;
    }
    m_result.from = m_range.tmin;
    m_result.to = m_range.tmax;
    m_span = minutesBetween(m_range.tmin, m_range.tmax);
    m_timeScale = m_span > 0 ? double(m_data.width()) / double(m_span) : 0.0;
    m_ratioScale = double(m_data.height()) / (m_range.rmax - m_range.rmin);
    m_valueScale = double(m_data.height()) / m_range.valueRange;
    drawTitle(titleText());
    drawAxes();
    const PortfolioItem& first = *m_request.items.front();
    if (!m_comparison && first.axisValues == 1)
        drawValueTicks(m_range.min, m_range.max, false);
    else if (m_range.base > 0)
        drawValueTicks(m_range.rmin, m_range.rmax, true);
    if (m_comparison) {
        drawComparisonCurves();
        drawTimeAxis();
    } else {
        drawSingleCurve();
    }
    m_painter.restore();
    return m_result;
}

void ChartDrawing::singleRange()
{
    const PortfolioItem& item = *m_request.items.front();
    const std::vector<Quotation>& q = item.quotations;
    const int n = int(q.size());
    if (n < 2)
        return;
    int first = 0;
    if (item.usePeriodStart) {
        first = n - 1;
        for (int i = 0; i < n; ++i) {
            if (q[size_t(i)].time >= item.periodStart) {
                first = i;
                break;
            }
        }
    }
    int last = n - 1;
    if (item.usePeriodEnd) {
        last = first;
        for (int i = first; i < n && q[size_t(i)].time <= item.periodEnd; ++i)
            last = i;
    }
    m_range.tmin = q[size_t(first)].time;
    m_range.tmax = q[size_t(last)].time;
    m_range.first = first;
    int count = 0;
    double low = q[size_t(first)].value;
    double high = low;
    for (int i = first; i < n && q[size_t(i)].time <= m_range.tmax; ++i) {
        low = std::min(low, q[size_t(i)].value);
        high = std::max(high, q[size_t(i)].value);
        ++count;
    }
    m_range.count = count;
    m_range.base = q[size_t(first)].value;
    if (high == low)
        high = low == 0 ? 1.0 : low * 1.1;
    m_range.min = low;
    m_range.max = high;
    m_range.valueRange = high - low == 0 ? 1.0 : high - low;
    if (m_range.base > 0) {
        m_range.rmax = high / m_range.base;
        m_range.rmin = low / m_range.base;
    }
}

SeriesStart ChartDrawing::seriesStart(const PortfolioItem& item) const
{
    const std::vector<Quotation>& q = item.quotations;
    SeriesStart start;
    start.item = &item;
    start.index = int(q.size()) - 1;
    for (size_t i = 0; i < q.size(); ++i) {
        if (q[i].time >= m_range.tmin) {
            start.index = int(i);
            break;
        }
    }
    const Quotation& record = q[size_t(start.index)];
    start.base = record.value;
    if (record.time > m_range.tmin && start.index > 0) {
        const Quotation& previous = q[size_t(start.index - 1)];
        const long long whole = minutesBetween(previous.time, record.time);
        // Records less than a minute apart have no slope in whole minutes; the later value holds.
        if (whole != 0) {
            const double part = double(minutesBetween(previous.time, m_range.tmin)) / double(whole);
            start.base = previous.value + part * (record.value - previous.value);
        }
        start.interpolated = true;
    }
    return start;
}

void ChartDrawing::comparisonRange()
{
    bool any = false;
    for (const PortfolioItem* item : m_request.items) {
        if (item->quotations.empty())
            continue;
        const time_t first = item->quotations.front().time;
        const time_t last = item->quotations.back().time;
        m_range.tmin = any ? std::max(m_range.tmin, first) : first;
        m_range.tmax = any ? std::max(m_range.tmax, last) : last;
        any = true;
    }
    const ComparisonSettings& limits = m_request.comparison;
    if (limits.useBegin)
        m_range.tmin = any ? std::max(m_range.tmin, limits.beginTime()) : limits.beginTime();
    if (limits.useEnd)
        m_range.tmax = any ? std::min(m_range.tmax, limits.endTime()) : limits.endTime();
    m_range.rmax = 1.0;
    m_range.rmin = 1.0;
    for (const PortfolioItem* item : m_request.items) {
        if (item->quotations.size() < 2)
            continue;
        SeriesStart start = seriesStart(*item);
        m_range.base = start.base;
        m_range.series.push_back(start);
        if (start.base <= 0)
            continue;
        double low = std::min(start.base, item->quotations[size_t(start.index)].value);
        double high = std::max(start.base, item->quotations[size_t(start.index)].value);
        for (size_t i = size_t(start.index) + 1; i < item->quotations.size(); ++i) {
            if (item->quotations[i].time > m_range.tmax)
                break;
            low = std::min(low, item->quotations[i].value);
            high = std::max(high, item->quotations[i].value);
        }
        m_range.rmax = std::max(m_range.rmax, high / start.base);
        m_range.rmin = std::min(m_range.rmin, low / start.base);
    }
}

void ChartDrawing::measure()
{
    const QFontMetrics title = metricsOf(m_style.title);
    const QFontMetrics date = metricsOf(m_style.date);
    const QFontMetrics label = metricsOf(m_style.label);
    m_metrics.hT = title.height();
    const QString sample = ChartRenderer::dateText(m_style.dateSample);
    m_metrics.LD = date.horizontalAdvance(sample);
    m_metrics.HD = date.height();
    const QString percentTemplate = QStringLiteral("999.99%");
    QString nominalTemplate = percentTemplate;
    if (!m_comparison) {
        const int length = int(formatText("%.3lf", m_range.max).size());
        nominalTemplate = QStringLiteral("0.") + QString(std::max(0, length - 2), QLatin1Char('0'));
    }
    const PortfolioItem& item = *m_request.items.front();
    const QString graphic = m_comparison || item.graphValues == 1 ? percentTemplate : nominalTemplate;
    const QString axis = !m_comparison && item.axisValues == 1 ? nominalTemplate : percentTemplate;
    m_metrics.WG = label.horizontalAdvance(graphic);
    m_metrics.WA = label.horizontalAdvance(axis);
    m_metrics.HL = label.height();
    m_metrics.w = label.horizontalAdvance(QLatin1Char('M'));
}

void ChartDrawing::layout()
{
    const Metrics& m = m_metrics;
    const int axisLabels = int(std::lround(1.5 * m.WA));
    const int halfGraphic = m.WG / 2 + 1;
    m_data.left = m_rect.left() + axisLabels + (m_style.printer ? m.w + 1 : 4);
    m_data.top = m_rect.top() + m.hT;
    m_data.right = m_rect.left() + m_rect.width() - halfGraphic;
    m_data.bottom = m_rect.top() + m_rect.height() - (m_style.printer ? m.w + m.LD + m.HL : m.LD + m.HL + 3);
    m_axis.left = m_data.left - halfGraphic;
    m_axis.right = m_data.right + halfGraphic;
    m_axis.top = m_data.top;
    m_axis.bottom = m_data.bottom + m.HL;
}

QString ChartDrawing::titleText() const
{
    const QString from = ChartRenderer::dateText(m_range.tmin);
    const QString to = ChartRenderer::dateText(m_range.tmax);
    if (!m_comparison)
        return QStringLiteral("%1 (%2-%3)").arg(QString::fromStdString(m_request.items.front()->name), from, to);
    const QString name = m_style.printer
        ? m_request.documentTitle
        : QStringLiteral("[%1]").arg(QCoreApplication::translate("Chart", "Comparison"));
    if (m_span < 1)
        return name;
    return QStringLiteral("%1 (%2-%3)").arg(name, from, to);
}

void ChartDrawing::drawTitle(const QString& text)
{
    const QFontMetrics metrics = metricsOf(m_style.title);
    m_painter.setFont(m_style.title);
    m_painter.setPen(m_style.text);
    const int centre = (m_data.left + m_data.right) / 2;
    m_painter.drawText(QPoint(centre - metrics.horizontalAdvance(text) / 2, m_rect.top() + metrics.ascent()), text);
}

void ChartDrawing::drawAxes()
{
    m_painter.setPen(QPen(Qt::black, 1));
    m_painter.drawLine(m_axis.left, m_axis.top, m_axis.left, m_axis.bottom);
    m_painter.drawLine(m_axis.left, m_axis.bottom, m_axis.right, m_axis.bottom);
}

void ChartDrawing::drawValueTicks(double lo, double hi, bool percent)
{
    const int n = std::max(1, (m_data.height() / std::max(1, m_metrics.HL) + 1) / 2);
    const double step0 = (hi - lo) / n;
    double step = 0.25 * std::pow(10.0, std::ceil(std::log10(step0)));
    if (step == 0 || !std::isfinite(step))
        step = 0.0025;
    const bool grid = m_comparison ? m_request.comparison.grid : m_request.items.front()->showGridLines != 0;
    const QFontMetrics label = metricsOf(m_style.label);
    m_painter.setFont(m_style.label);
    auto textOf = [percent](double t) { return percent ? formatText("%.2lf%%", t * 100) : formatText("%.3lf", t); };
    double t = std::trunc(lo / step + 0.5) * step;
    if (t < lo)
        t += step;
    std::string previous;
    int previousY = INT_MIN;
    while (t <= hi) {
        const std::string text = textOf(t);
        const int y = percent ? yOf(t) : pixel((m_range.max - t) * m_valueScale + m_data.top);
        if (text != previous && (percent || y != previousY)) {
            m_painter.setPen(grid ? QPen(QColor(100, 100, 100), 1) : QPen(Qt::black, 1));
            m_painter.drawLine(m_axis.left, y, grid ? m_axis.right : m_axis.left + 3, y);
            m_painter.setPen(m_style.text);
            const QString shown = qtext(text);
            m_painter.drawText(
                QPoint(m_axis.left - label.horizontalAdvance(shown), y - m_metrics.hT / 2 + label.ascent()), shown);
            m_result.valueLabels << shown;
            previous = text;
            previousY = y;
        }
        double next = std::trunc((t + step0) / step + 0.5) * step;
        if (percent ? next == t : textOf(next) == previous)
            next += step;
        // Values too large for the step to move them end the axis.
        if (!(next > t))
            break;
        t = next;
    }
}

double ChartDrawing::ratioOf(double value, double base) const
{
    // Without a positive base the values are spread over the chart by their own range.
    if (base > 0)
        return value / base;
    return (value - m_range.min) / m_range.valueRange;
}

QPen ChartDrawing::itemPen(const PortfolioItem& item) const
{
    return QPen(ChartRenderer::colourOf(item.chartColour), 1);
}

void ChartDrawing::drawSingleCurve()
{
    const PortfolioItem& item = *m_request.items.front();
    const QColor colour = ChartRenderer::colourOf(item.chartColour);
    const double base = m_range.base;
    m_result.firstShownIndex = m_range.first;
    m_result.points.reserve(size_t(m_range.count));
    m_outline.start(m_range.count);
    for (int i = 0; i < m_range.count; ++i) {
        const Quotation& record = item.quotations[size_t(m_range.first + i)];
        const ChartPoint point{xOf(record.time), yOf(ratioOf(record.value, base)), record.time, record.value};
        m_result.points.push_back(point);
        m_outline.add(QPoint(point.x, point.y));
    }
    // One polyline draws the same pixels as the line from each point to the next.
    m_painter.setPen(itemPen(item));
    m_painter.drawPolyline(m_outline.finish());
    const QFontMetrics label = metricsOf(m_style.label);
    m_painter.setFont(m_style.label);
    int labelEnd = 0;
    for (size_t i = 0; i < m_result.points.size(); ++i) {
        const ChartPoint& point = m_result.points[i];
        QString text;
        if (item.graphValues == 1 && base > 0)
            text = qtext(formatText("%.2lf%%", point.value * 100 / base));
        else if (item.graphValues == 2)
            text = qtext(formatText("%.3lf", point.value));
        else if (item.graphValues == 3)
            m_painter.fillRect(QRect(point.x - 2, point.y - 2, 5, 5), colour);
        if (!text.isEmpty()) {
            m_painter.setPen(colour);
            m_painter.drawText(QPoint(point.x - label.horizontalAdvance(text) / 2, point.y + label.ascent()), text);
        }
        const int labelStart = point.x - m_metrics.HD / 2 - 1;
        if (i == 0 || labelStart > labelEnd + 5) {
            drawDateLabel(point.x, ChartRenderer::dateText(point.time));
            labelEnd = labelStart + m_metrics.HD;
            m_painter.setFont(m_style.label);
        }
    }
}

void ChartDrawing::drawDateLabel(int x, const QString& text)
{
    m_painter.setPen(QPen(Qt::black, 1));
    m_painter.drawLine(x, m_axis.bottom, x, m_axis.bottom - 3);
    const QFontMetrics date = metricsOf(m_style.date);
    m_painter.save();
    m_painter.setPen(m_style.text);
    m_painter.setFont(m_style.date);
    // Reading upward, the text ends at the axis and hangs below it.
    m_painter.translate(x + m_metrics.HD / 2 + 1, m_axis.bottom + 1);
    m_painter.rotate(-90);
    m_painter.drawText(QPoint(-date.horizontalAdvance(text), 0), text);
    m_painter.restore();
}

void ChartDrawing::drawComparisonCurves()
{
    for (const SeriesStart& start : m_range.series) {
        if (start.base <= 0)
            continue;
        const std::vector<Quotation>& q = start.item->quotations;
        m_outline.start(qsizetype(q.size() - size_t(start.index)) + 1);
        if (start.interpolated)
            m_outline.add(QPoint(m_data.left, yOf(1.0)));
        for (size_t i = size_t(start.index); i < q.size() && q[i].time <= m_range.tmax; ++i)
            m_outline.add(QPoint(xOf(q[i].time), yOf(q[i].value / start.base)));
        m_painter.setPen(itemPen(*start.item));
        m_painter.drawPolyline(m_outline.finish());
    }
}

void ChartDrawing::drawTimeAxis()
{
    if (m_span < 1)
        return;
    const int c = m_data.width() / (m_metrics.HD + 5);
    const long long days = c > 0 ? (m_span / c) / 1440 : 1;
    const time_t stride = time_t(std::max<long long>(1, days)) * 86400;
    for (time_t t = m_range.tmin; t < m_range.tmax; t += stride)
        drawDateLabel(xOf(t), ChartRenderer::dateText(t));
}

} // namespace

QFont ChartStyle::sansFont(double points)
{
    QFont font(sansFamily());
    font.setPointSizeF(points);
    return font;
}

QFont ChartStyle::blackFont(double points)
{
    if (QFontDatabase::families().contains(QStringLiteral("Arial Black"))) {
        QFont font(QStringLiteral("Arial Black"));
        font.setPointSizeF(points);
        return font;
    }
    QFont font = sansFont(points);
    font.setBold(true);
    return font;
}

ChartStyle ChartStyle::screen()
{
    ChartStyle style;
    style.title = blackFont(8.5);
    style.label = sansFont(6);
    style.date = sansFont(7);
    style.dateSample = localTimeOf(2003, 10, 30, 12);
    return style;
}

ChartStyle ChartStyle::paper()
{
    ChartStyle style;
    style.title = blackFont(12);
    style.label = sansFont(12);
    style.date = sansFont(10);
    style.dateSample = localTimeOf(2000, 10, 30, 12);
    style.printer = true;
    return style;
}

ChartResult ChartRenderer::draw(QPainter& painter, const QRect& rect, const ChartRequest& request)
{
    return ChartDrawing(painter, rect, request).run();
}

QColor ChartRenderer::colourOf(uint32_t stored)
{
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}

QString ChartRenderer::dateText(time_t time, const char* format)
{
    return qtext(LocaleFormat::localTime(time, format));
}
