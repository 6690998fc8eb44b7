// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/ExtractResult.h"
#include "core/extract/JsonRule.h"
#include "core/extract/QuotationMoment.h"

#include <ctime>
#include <string>
#include <string_view>

// The JSON rule: the value path gives the quotation, the optional date and time paths its date and time.
namespace JsonExtract {

struct Rule {
    // With the item variables put in.
    JsonRule paths;
    std::string thousands;
    std::string decimal;
    std::optional<DateOrder> dateOrder;
};

// The value is a JSON number, or a string read with the separators. A date or time that is a number is Unix
// time (milliseconds above 1e11); a string is ISO 8601 (local time without an offset), else read as day,
// month and year (in the date order, else year first when it leads with four digits) or as hour and minute. Without
// date and time paths the result's time is `referenceTime`; otherwise what the paths leave out comes from it.
ExtractResult extract(std::string_view page, const Rule& rule, time_t referenceTime);

} // namespace JsonExtract
