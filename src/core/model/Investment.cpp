#include "core/model/Investment.h"

#include "core/base/FormatText.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounding leaves a closed position at a tiny remainder (sell 1, buy 0.1 ten times: -1.39e-16), whose
// average price would explode; such a quantity is 0.
bool closes(double before, double traded, double after)
{
    return std::fabs(after) <= 1e-9 * std::max({1.0, std::fabs(before), std::fabs(traded)});
}

} // namespace

namespace Investment {

Position buy(Position position, double bought, double price, double commission)
{
    const double quantity = position.quantity + bought;
    if (closes(position.quantity, bought, quantity))
        return Position{};
    const double average = (price * bought + position.quantity * position.avgBuyPrice + commission) / quantity;
    return Position{quantity, average};
}

double sell(Position& position, unsigned long sold, double price, double commission)
{
    const double units = static_cast<double>(sold);
    const double result = (price - position.avgBuyPrice) * units - commission;
    const double before = position.quantity;
    position.quantity -= units;
    if (closes(before, units, position.quantity))
        position = Position{};
    return result;
}

Status payDividends(Position& position, double amount)
{
    if (position.quantity == 0)
        return Status::error(Status::Code::InvalidInput, "A dividend needs a quantity of items invested other than 0.");
    position.avgBuyPrice = (position.quantity * position.avgBuyPrice - amount) / position.quantity;
    return Status::ok();
}

std::string sellResultText(double result)
{
    return formatText("Financial result of the selling transaction: %.2f", result);
}

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

bool hasGain(const PortfolioItem& item)
{
    const double last = item.lastValue().value_or(0.0);
    return last != 0 && item.quantity != 0 && item.avgBuyPrice != 0;
}

double gain(const PortfolioItem& item, bool percent)
{
    const double last = item.lastValue().value_or(0.0);
    return percent ? last * 100 / item.avgBuyPrice - 100 : item.quantity * (last - item.avgBuyPrice);
}

std::string itemInvestment(const PortfolioItem& item, bool percent)
{
    if (item.isInvestedAmountHistory)
        return {};
    const double last = item.lastValue().value_or(0.0);
    const double invested = last * item.quantity;
    if (!hasGain(item))
        return formatText("%4.2lf", invested);
    return formatText(percent ? "%4.2lf (%+2.2lf%%)" : "%4.2lf (%+4.2lf)", invested, gain(item, percent));
}

} // namespace Investment
