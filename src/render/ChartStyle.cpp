// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartStyle.h"

#include "core/base/LocalTime.h"
#include "core/base/LocaleFormat.h"

#include <QFontDatabase>

namespace {

QString sansFamily()
{
    static const QString family = QFontDatabase::families().contains(QStringLiteral("Arial"))
        ? QStringLiteral("Arial")
        : QStringLiteral("Liberation Sans");
    return family;
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

QString ChartStyle::dateText(time_t time)
{
    const std::string text = LocaleFormat::localTime(time, "%x");
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}
