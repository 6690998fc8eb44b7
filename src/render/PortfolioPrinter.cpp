// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PortfolioPrinter.h"

#include "core/base/FormatText.h"
#include "core/base/LocaleFormat.h"
#include "core/model/ItemFigures.h"
#include "render/ChartRenderer.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

QFont headingFont()
{
    return ChartStyle::blackFont(12);
}

QFont entryFont()
{
    return ChartStyle::sansFont(11);
}

int rowsOn(QPaintDevice& device)
{
    return PortfolioPrinter::rowsPerPage(device.height(), QFontMetrics(headingFont(), &device).height(),
                                         QFontMetrics(entryFont(), &device).height());
}

QString qtext(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

// `text` is marked with QT_TRANSLATE_NOOP("Printout", ...).
QString label(const char* text)
{
    return QCoreApplication::translate("Printout", text);
}

QStringList entryLines(const PortfolioItem& item, time_t now)
{
    const ItemFigures figures = ItemFigures::of(item, true);
    const auto cells = ItemFigures::cells(item, true, now);
    const QString line1 =
        QString::fromStdString(item.name) + QStringLiteral(" - ") + QString::fromStdString(item.symbol);
    const QString line2 = label(QT_TRANSLATE_NOOP("Printout", "Last Update")) + QLatin1Char(' ') +
        qtext(LocaleFormat::localTime(figures.lastTime, "%x %H:%M")) + QStringLiteral(" : ") +
        qtext(formatText("%3.4lf", figures.value)) + QString(6, QLatin1Char(' ')) +
        label(QT_TRANSLATE_NOOP("Printout", "Amount Invested")) + QStringLiteral(": ") +
        QString::fromStdString(cells[columnIndex(ItemColumn::Invested)]);
    const QString days = label(QT_TRANSLATE_NOOP("Printout", "Days"));
    const QString line3 = label(QT_TRANSLATE_NOOP("Printout", "Low")) + QStringLiteral(": ") +
        qtext(formatText("%3.4lf", figures.low)) + QString(5, QLatin1Char(' ')) +
        label(QT_TRANSLATE_NOOP("Printout", "High")) + QStringLiteral(": ") +
        qtext(formatText("%3.4lf", figures.high)) + QString(6, QLatin1Char(' ')) +
        label(QT_TRANSLATE_NOOP("Printout", "+- Last")) + QStringLiteral(": ") +
        qtext(formatText("%+2.2lf%% (%i %s)", figures.lastChange, figures.lastDays, days.toLocal8Bit().constData())) +
        QString(5, QLatin1Char(' ')) + label(QT_TRANSLATE_NOOP("Printout", "+- Total")) + QStringLiteral(": ") +
        qtext(formatText("%+2.2lf%% (%i %s)", figures.totalChange, figures.totalDays, days.toLocal8Bit().constData()));
    return {line1, line2, line3};
}

void drawItemPage(QPainter& painter, QPaintDevice& device, const PrintRequest& request, size_t from, size_t to)
{
    const QFontMetrics heading(headingFont(), &device);
    const QFontMetrics entry(entryFont(), &device);
    const int hB = heading.height();
    const QString title =
        QStringLiteral("%1 - %2").arg(request.documentTitle, qtext(LocaleFormat::localTime(request.now, "%x %H:%M")));
    painter.setFont(headingFont());
    painter.setPen(Qt::black);
    painter.drawText(QPoint((device.width() - heading.horizontalAdvance(title)) / 2, hB + heading.ascent()), title);
    const int h = entry.height();
    const int w = entry.horizontalAdvance(QLatin1Char('M'));
    int top = int(2.5 * hB);
    painter.setFont(entryFont());
    for (size_t i = from; i < to; ++i) {
        const PortfolioItem& item = *request.items[i];
        painter.setPen(Qt::NoPen);
        painter.setBrush(ChartRenderer::colourOf(item.chartColour));
        painter.drawEllipse(QRectF(w, top + 0.1 * h, w, 0.8 * h));
        painter.setPen(Qt::black);
        const QStringList lines = entryLines(item, request.now);
        for (int line = 0; line < lines.size(); ++line)
            painter.drawText(QPoint(4 * w, top + int(1.2 * h * line) + entry.ascent()), lines[line]);
        top += int(2.4 * h + 1.5 * h);
    }
}

} // namespace

int PortfolioPrinter::rowsPerPage(int pageHeight, int headingHeight, int entryHeight)
{
    const int entry = std::max(1, int(3.9 * entryHeight));
    return std::max(1, (pageHeight - int(2.5 * headingHeight)) / entry);
}

int PortfolioPrinter::pageCount(int items, int rowsPerPage)
{
    if (items <= 1)
        return std::max(0, items);
    return items / rowsPerPage + (items % rowsPerPage != 0 ? 1 : 0) + 1;
}

int PortfolioPrinter::pageCount(int items, QPagedPaintDevice& device)
{
    return pageCount(items, rowsOn(device));
}

int PortfolioPrinter::print(QPainter& painter, QPagedPaintDevice& device, const PrintRequest& request)
{
    if (request.items.empty())
        return 0;
    ChartRequest chart;
    chart.items = request.items;
    chart.comparison = request.comparison;
    chart.style = ChartStyle::paper();
    chart.documentTitle = request.documentTitle;
    ChartRenderer::draw(painter, QRect(0, 0, device.width(), device.height()), chart);
    const int rows = rowsOn(device);
    const int pages = pageCount(int(request.items.size()), rows);
    for (int page = 2; page <= pages; ++page) {
        device.newPage();
        const size_t from = size_t(page - 2) * size_t(rows);
        drawItemPage(painter, device, request, from, std::min(request.items.size(), from + size_t(rows)));
    }
    return pages;
}
