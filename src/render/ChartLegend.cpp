// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartLegend.h"

#include <QFontMetrics>
#include <QPainter>

ChartLegend::ChartLegend(std::vector<LegendEntry> entries, const QFont& font, const QPaintDevice* device,
                         const ChartPens& pens, int width)
    : m_entries(std::move(entries)), m_font(font), m_pens(pens)
{
    if (m_entries.empty() || width <= 0)
        return;
    const QFontMetrics metrics(font, device);
    const int letter = metrics.horizontalAdvance(QLatin1Char('M'));
    m_lineLength = 2 * letter;
    m_ascent = metrics.ascent();
    m_rowHeight = metrics.height();
    const int lineAndGap = m_lineLength + letter / 2;
    int x = 0;
    int y = 0;
    for (const LegendEntry& entry : m_entries) {
        const QString shown = metrics.elidedText(entry.name, Qt::ElideRight, std::max(letter, width - lineAndGap));
        const int entryWidth = lineAndGap + metrics.horizontalAdvance(shown);
        if (x > 0 && x + entryWidth > width) {
            x = 0;
            y += m_rowHeight;
        }
        m_places.emplace_back(x, y);
        m_shown << shown;
        x += entryWidth + 2 * letter;
    }
    // Half a row of room between the legend and the plot.
    m_height = y + m_rowHeight + m_rowHeight / 2;
}

void ChartLegend::draw(QPainter& painter, const QPoint& topLeft, const QColor& text) const
{
    painter.setFont(m_font);
    for (size_t i = 0; i < m_places.size(); ++i) {
        const QPoint at = topLeft + m_places[i];
        const int middle = at.y() + m_rowHeight / 2;
        painter.setPen(m_pens.curve(m_entries[i].colour));
        painter.drawLine(at.x(), middle, at.x() + m_lineLength, middle);
        painter.setPen(text);
        painter.drawText(QPoint(at.x() + m_lineLength + m_lineLength / 4, at.y() + m_ascent), m_shown[qsizetype(i)]);
    }
}
