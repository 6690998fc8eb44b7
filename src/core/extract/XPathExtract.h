// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/ExtractResult.h"
#include "core/extract/QuotationMoment.h"
#include "core/extract/XPathRule.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The XPath rule: the value expression gives the quotation, the optional date and time expressions its
// date and time, evaluated on the page as libxml2's HTML parser reads it.
namespace XPathExtract {

struct Rule {
    // With the item variables put in.
    XPathRule expressions;
    std::string thousands;
    std::string decimal;
    std::optional<DateOrder> dateOrder;
};

// The value is the first number in the expression's text read with the separators, or the number the
// expression gives. Dates and times are read as QuotationMoment reads them. Parsing and evaluation together
// stay within the extraction bound of the regular expressions for the page's size.
ExtractResult extract(std::string_view page, const Rule& rule, time_t referenceTime);

} // namespace XPathExtract
