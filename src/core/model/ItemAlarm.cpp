// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ItemAlarm.h"

#include "core/base/FormatText.h"

#include <cmath>

namespace {

enum class Alarm { None, Above, Below, Difference };

Alarm firstAlarm(const PortfolioItem& item)
{
    const double last = item.lastValue().value_or(0.0);
    if (item.alarmAboveEnabled && last > item.alarmAbove)
        return Alarm::Above;
    if (item.alarmBelowEnabled && last < item.alarmBelow)
        return Alarm::Below;
    if (item.alarmDiffEnabled) {
        const double difference = std::fabs(last / item.avgBuyPrice - 1);
        // Without a buy price the quotient is not finite and the alarm counts as triggered.
        if (!std::isfinite(difference) || difference > std::fabs(item.alarmDiffPercent * 0.01))
            return Alarm::Difference;
    }
    return Alarm::None;
}

} // namespace

bool alarmTriggered(const PortfolioItem& item)
{
    return firstAlarm(item) != Alarm::None;
}

std::string alarmCondition(const PortfolioItem& item)
{
    switch (firstAlarm(item)) {
    case Alarm::Above:
        return formatText("above %.2f", item.alarmAbove);
    case Alarm::Below:
        return formatText("below %.2f", item.alarmBelow);
    case Alarm::Difference:
        return formatText("differs by more than %.2f%% from the buy price", item.alarmDiffPercent);
    default:
        return {};
    }
}
