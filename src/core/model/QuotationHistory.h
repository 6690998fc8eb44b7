// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"
#include "core/model/Quotation.h"

#include <vector>

// The edits of an item's quotation history beyond adding one quotation. They take items, not the
// document: the document calls them and tells its listeners.
namespace QuotationHistory {

// False when there is no quotation at `index`.
bool deleteQuotation(PortfolioItem& item, int index);
// Divides the quotations up to `index` (none when outside the history), the buy price and the alarm
// limits by `factor` and multiplies the quantity; false, changing nothing, unless `factor` is positive.
bool splitQuotations(PortfolioItem& item, int index, double factor);
void invertQuotations(PortfolioItem& item);
// Multiplies each quotation by the newest of `rates` not later than it (ascending by time); a copy, as the
// rates may be the item's own history.
void multiplyQuotations(PortfolioItem& item, std::vector<Quotation> rates);
// Same history as addQuotation called for each record in order, in O(n log n). Quotations at a time
// the file cannot store are left out; returns how many were taken.
size_t mergeQuotations(PortfolioItem& item, std::vector<Quotation> inFileOrder);
// Records the invested amount (newest value times quantity, summed over the items) in the
// invested-amount-history item, as a new quotation or over its newest one when that is recent.
// Returns the position of the history item it changed, -1 when it changed none.
int recordInvestedAmount(std::vector<PortfolioItem>& items);

} // namespace QuotationHistory
