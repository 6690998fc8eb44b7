// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/PortfolioRowBuilder.h"

#include "core/base/FormatText.h"
#include "core/model/ItemFigures.h"
#include "core/model/PortfolioTotals.h"

#include <QCoreApplication>

namespace {

// Colours are stored as 0x00BBGGRR.
QColor colourOf(uint32_t stored)
{
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}

QString translated(const char* text)
{
    return QCoreApplication::translate("PortfolioList", text);
}

ChangePeriodWords periodWords()
{
    return {translated(QT_TRANSLATE_NOOP("PortfolioList", "Days")).toStdString(),
            translated(QT_TRANSLATE_NOOP("PortfolioList", "Months")).toStdString(),
            translated(QT_TRANSLATE_NOOP("PortfolioList", "Years")).toStdString()};
}

QString number(const char* format, double value)
{
    return QString::fromStdString(formatText(format, value));
}

} // namespace

PortfolioRow buildPortfolioRow(const PortfolioItem& item, PortfolioDocument::ItemId id, bool percentual, time_t now,
                               const QString& healthWarning)
{
    PortfolioRow row;
    row.id = id;
    const auto cells = ItemFigures::cells(item, percentual, now, periodWords());
    for (size_t column = 0; column < cells.size(); ++column)
        row.cells[column] = QString::fromStdString(cells[column]);
    row.trendIcon = ItemFigures::trendIcon(item);
    row.dotColour = colourOf(item.chartColour);
    row.special = item.isInvestedAmountHistory != 0;
    row.healthWarning = healthWarning;
    return row;
}

QString ruleHealthWarning(const RuleHealth& health, time_t now)
{
    if (!health.failing() && health.FallbackSince > 0)
        return QCoreApplication::translate("PortfolioList", "Served by the fallback %1 since %2")
            .arg(QString::fromStdString(health.Fallback),
                 QString::fromStdString(ItemFigures::lastUpdateText(time_t(health.FallbackSince), now)));
    if (!health.failing())
        return {};
    const QString since = health.LastSuccess > 0
        ? QString::fromStdString(ItemFigures::lastUpdateText(time_t(health.LastSuccess), now))
        : QCoreApplication::translate("PortfolioList", "never");
    return QCoreApplication::translate("PortfolioList", "Quotation rule failing since %1: %2")
        .arg(since, QString::fromStdString(health.LastFailure));
}

// The words of PortfolioTotals::statusText, which `tickora-cli show` prints untranslated.
QString portfolioStatusLine(const PortfolioDocument& doc, bool percentual)
{
    const PortfolioTotals totals = PortfolioTotals::of(doc);
    const QString invested = number("%4.2lf", totals.invested);
    if (!totals.gainAvailable)
        return translated(QT_TRANSLATE_NOOP("PortfolioList", "Amount invested: %1")).arg(invested);
    const char* change = percentual ? "%+2.2lf%%" : "%+4.2lf";
    const QString total = number(change, percentual ? totals.totalPercent : totals.totalGain);
    if (!totals.lastAvailable)
        return translated(QT_TRANSLATE_NOOP("PortfolioList", "Amount invested: %1 (Total: %2)")).arg(invested, total);
    const QString last = number(change, percentual ? totals.lastPercent : totals.lastGain);
    return translated(QT_TRANSLATE_NOOP("PortfolioList", "Amount invested: %1 (Last: %2 Total: %3)"))
        .arg(invested, last, total);
}
