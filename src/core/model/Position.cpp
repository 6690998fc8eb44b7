// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/Position.h"

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

Position Position::afterBuying(double bought, double price, double commission) const
{
    const double total = quantity + bought;
    if (closes(quantity, bought, total))
        return Position{};
    return Position{total, (price * bought + quantity * avgBuyPrice + commission) / total};
}

double Position::sell(unsigned long sold, double price, double commission)
{
    const double units = static_cast<double>(sold);
    const double result = (price - avgBuyPrice) * units - commission;
    const double before = quantity;
    quantity -= units;
    if (closes(before, units, quantity))
        *this = Position{};
    return result;
}

Status Position::payDividends(double amount)
{
    if (quantity == 0)
        return Status::error(Status::Code::InvalidInput, "A dividend needs a quantity of items invested other than 0.");
    avgBuyPrice = (quantity * avgBuyPrice - amount) / quantity;
    return Status::ok();
}

std::string sellResultText(double result)
{
    return formatText("Financial result of the selling transaction: %.2f", result);
}
