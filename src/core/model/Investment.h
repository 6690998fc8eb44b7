#pragma once

#include "core/base/Status.h"
#include "core/model/PortfolioItem.h"

#include <string>

// The investment of one item: the buy, sell and dividend arithmetic, the alarm test and the
// "Amount Invested" text.
namespace Investment {

struct Position {
    double quantity = 0.0;
    double avgBuyPrice = 0.0;
};

// A buy or sell that closes the position (to within 1e-9 of the larger quantity) leaves quantity 0
// and average price 0.
Position buy(Position position, double bought, double price, double commission);
// Returns the financial result of the sale; the average price stays unless the position closes.
double sell(Position& position, unsigned long sold, double price, double commission);
// Refused on quantity 0, where the dividend has nothing to spread over.
Status payDividends(Position& position, double amount);
std::string sellResultText(double result);

bool alarmTriggered(const PortfolioItem& item);
// The first alarm test that holds, in the order above, below, difference: "above %.2f", "below %.2f" or
// "differs by more than %.2f%% from the buy price"; "" when none holds.
std::string alarmCondition(const PortfolioItem& item);
// Empty for the invested-amount-history item.
std::string itemInvestment(const PortfolioItem& item, bool percent);
// Whether the item's gain can be shown: newest value, quantity and buy price all non-zero.
bool hasGain(const PortfolioItem& item);
// The gain in percent of the buy price, or nominal; only meaningful when hasGain().
double gain(const PortfolioItem& item, bool percent);

} // namespace Investment
