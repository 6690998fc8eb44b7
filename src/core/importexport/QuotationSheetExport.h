// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/importexport/Biff2Worksheet.h"
#include "core/model/PortfolioItem.h"

#include <vector>

// The quotation worksheet: item k (from 0) takes columns 1 + 4k and 2 + 4k, its header "name (symbol)"
// in bold in row 1, below it one row per quotation with the time as text and the value as a number.
namespace QuotationSheetExport {

Biff2Worksheet layout(const std::vector<PortfolioItem>& items);

} // namespace QuotationSheetExport
