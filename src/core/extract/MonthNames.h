// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// English, German and Portuguese month names and abbreviations, lower case, UTF-8.
namespace MonthNames {

// The alternation the import format's month placeholder becomes: a number or any name, in table order.
const char* importAlternation();
// The month (1..12) of the first name, in table order, that begins with `capture` compared without case
// (ASCII and Latin-1 letters); 0 when none does. An empty capture is a leading part of "jan".
int monthOf(std::string_view capture);

} // namespace MonthNames
