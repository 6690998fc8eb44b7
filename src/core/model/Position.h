// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <string>

// What is held of one item: the quantity and its average buy price, moved by buys, sells and dividends.
// A trade that closes the position (to within 1e-9 of the larger quantity) leaves quantity 0 and
// average price 0.
struct Position {
    double quantity = 0.0;
    double avgBuyPrice = 0.0;

    Position afterBuying(double bought, double price, double commission) const;
    // Returns the financial result of the sale; the average price stays unless the position closes.
    double sell(unsigned long sold, double price, double commission);
    // Refused on quantity 0, where the dividend has nothing to spread over.
    Status payDividends(double amount);
};

std::string sellResultText(double result);
