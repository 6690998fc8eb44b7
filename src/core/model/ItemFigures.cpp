// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ItemFigures.h"
#include "core/base/LocalTime.h"
#include "core/base/LocaleFormat.h"

#include "core/model/FigureText.h"
#include "core/model/ItemAlarm.h"
#include "core/model/ItemGain.h"

namespace {

constexpr time_t kSecondsPerDay = 86400;

int secondsOfDay(time_t time)
{
    const std::tm tm = localCalendarTime(time).value_or(std::tm{});
    return tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
}

std::string localText(const char* format, time_t time)
{
    return LocaleFormat::localTime(time, format);
}

int periodDays(const PortfolioItem& item, bool dayMode)
{
    const std::optional<time_t> reference = item.referenceTime(dayMode);
    if (!reference)
        return 0;
    return ItemFigures::wholeDays(*reference, item.quotations.back().time);
}

} // namespace

int ItemFigures::wholeDays(time_t from, time_t to)
{
    return static_cast<int>((to - from) / kSecondsPerDay);
}

int ItemFigures::lastUpdateDays(time_t last, time_t now)
{
    int days = wholeDays(last, now);
    if (now > last && secondsOfDay(now) < secondsOfDay(last))
        ++days;
    return days;
}

std::string ItemFigures::lastUpdateText(time_t last, time_t now)
{
    const int days = lastUpdateDays(last, now);
    if (days == 0)
        return localText("%H:%M", last);
    if (days <= 6)
        return localText("%A   %H:%M", last);
    return localText("%x   %H:%M", last);
}

std::string ItemFigures::changeText(double change, int days, bool percent, const ChangePeriodWords& words)
{
    const double months = days / 30.0;
    const double years = days / 365.0;
    std::string text = percent ? FigureText::fixed(change, 2, 2, true) + '%' : FigureText::fixed(change, 3, 4, true);
    text += " (";
    if (months < 3) {
        text += std::to_string(days);
        text += ' ';
        text += words.days;
    } else {
        const bool inYears = years >= 3;
        FigureText::appendFixed(text, inYears ? years : months, 2, 1);
        text += ' ';
        text += inYears ? words.years : words.months;
    }
    text += ')';
    return text;
}

ItemFigures ItemFigures::of(const PortfolioItem& item, bool percent)
{
    ItemFigures figures;
    const std::optional<time_t> lastTime = item.lastTime();
    figures.hasQuotations = lastTime.has_value();
    figures.lastTime = lastTime.value_or(PortfolioItem::noQuotationTime());
    figures.value = item.lastValue().value_or(0.0);
    const PortfolioItem::LowHigh lowHigh = item.lowHigh().value_or(PortfolioItem::LowHigh{});
    figures.low = lowHigh.low;
    figures.high = lowHigh.high;
    if (percent) {
        figures.lastDayChange = item.lastChangePercent(true).value_or(0.0);
        figures.lastChange = item.lastChangePercent(false).value_or(0.0);
        figures.totalChange = item.totalChangePercent().value_or(0.0);
    } else {
        figures.lastDayChange = item.lastChange(true).value_or(0.0);
        figures.lastChange = item.lastChange(false).value_or(0.0);
        figures.totalChange = item.totalChange().value_or(0.0);
    }
    if (figures.hasQuotations) {
        figures.lastDayDays = periodDays(item, true);
        figures.lastDays = periodDays(item, false);
        figures.totalDays = wholeDays(item.quotations.front().time, item.quotations.back().time);
    }
    figures.invested = figures.value * item.quantity;
    figures.hasGain = ::hasGain(item);
    if (figures.hasGain)
        figures.gain = ::gain(item, percent);
    return figures;
}

std::array<std::string, kItemColumnCount> ItemFigures::cells(const PortfolioItem& item, bool percent, time_t now,
                                                             const ChangePeriodWords& words)
{
    std::array<std::string, kItemColumnCount> cells;
    cells[columnIndex(ItemColumn::Name)] = item.name;
    if (item.quotations.empty())
        return cells;
    const ItemFigures figures = of(item, percent);
    cells[columnIndex(ItemColumn::LastUpdate)] = lastUpdateText(figures.lastTime, now);
    cells[columnIndex(ItemColumn::Value)] = FigureText::fixed(figures.value, 3, 4);
    cells[columnIndex(ItemColumn::Low)] = FigureText::fixed(figures.low, 3, 4);
    cells[columnIndex(ItemColumn::High)] = FigureText::fixed(figures.high, 3, 4);
    cells[columnIndex(ItemColumn::LastDayChange)] =
        changeText(figures.lastDayChange, figures.lastDayDays, percent, words);
    cells[columnIndex(ItemColumn::LastChange)] = changeText(figures.lastChange, figures.lastDays, percent, words);
    cells[columnIndex(ItemColumn::TotalChange)] = changeText(figures.totalChange, figures.totalDays, percent, words);
    cells[columnIndex(ItemColumn::Invested)] = investedText(item, percent);
    return cells;
}

int ItemFigures::trendIcon(const PortfolioItem& item)
{
    const int alarm = alarmTriggered(item) ? 3 : 0;
    if (item.quotations.empty())
        return 0;
    const double change = item.lastChangePercent(true).value_or(0.0);
    return alarm + (change < 0 ? 1 : change > 0 ? 2 : 0);
}
