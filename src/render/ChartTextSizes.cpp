// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartTextSizes.h"

#include "core/base/FormatText.h"
#include "render/ChartPens.h"

#include <QFontMetrics>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

ChartTextSizes ChartTextSizes::measure(QPaintDevice* device, const ChartStyle& style, bool comparison,
                                       const PortfolioItem& first, double high)
{
    const QFontMetrics title(style.title, device);
    const QFontMetrics date(style.date, device);
    const QFontMetrics label(style.label, device);
    ChartTextSizes sizes;
    sizes.titleHeight = title.height();
    sizes.dateLabelLength = date.horizontalAdvance(ChartStyle::dateText(style.dateSample));
    sizes.dateLabelHeight = date.height();
    const QString percentTemplate = QStringLiteral("999.99%");
    QString nominalTemplate = percentTemplate;
    if (!comparison) {
        const int length = int(formatText("%.3lf", high).size());
        nominalTemplate = QStringLiteral("0.") + QString(std::max(0, length - 2), QLatin1Char('0'));
    }
    const bool percentPoints = comparison || first.pointLabel() == PointLabel::Percent;
    const bool nominalAxis = !comparison && first.axisLabel() == AxisLabel::Nominal;
    sizes.pointLabelWidth = label.horizontalAdvance(percentPoints ? percentTemplate : nominalTemplate);
    sizes.axisLabelWidth = label.horizontalAdvance(nominalAxis ? nominalTemplate : percentTemplate);
    sizes.labelHeight = label.height();
    sizes.letterWidth = label.horizontalAdvance(QLatin1Char('M'));
    const ChartPens pens = ChartPens::forDevice(device);
    if (pens.fine())
        sizes.labelGap = std::max(sizes.labelGap, int(std::ceil(2.0 * device->logicalDpiX() / 25.4)));
    return sizes;
}
