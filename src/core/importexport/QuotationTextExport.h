// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <string>
#include <vector>

// The plain-text quotation file: per item a header line, one line per quotation, an empty line.
namespace QuotationTextExport {

// The file's bytes in the locale's character set, lines ending in CR LF.
std::string render(const std::vector<PortfolioItem>& items);

} // namespace QuotationTextExport
