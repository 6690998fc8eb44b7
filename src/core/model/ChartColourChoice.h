// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"

#include <cstdint>

// The chart colour of a new item.
namespace ChartColourChoice {

// A palette colour that no item of `doc` has yet, the search starting at a random place; the random
// palette colour itself when every one is taken. Stored as 0x00BBGGRR.
uint32_t unusedColour(const PortfolioDocument& doc, unsigned random);

} // namespace ChartColourChoice
