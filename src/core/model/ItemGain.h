// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <string>

// Whether the item's gain can be shown: newest value, quantity and buy price all non-zero.
bool hasGain(const PortfolioItem& item);
// The gain in percent of the buy price, or nominal; only meaningful when hasGain().
double gain(const PortfolioItem& item, bool percent);
// The "Amount Invested" cell: the invested amount and, when there is one, the gain; empty for the
// invested-amount-history item.
std::string investedText(const PortfolioItem& item, bool percent);
