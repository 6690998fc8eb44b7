// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <QColor>

#include <vector>

// The colours of a comparison's curves.
namespace ChartColours {

// Each item's own colour, except that an item sharing the colour of an earlier one gets the first palette
// colour no item uses, so that no two curves look alike by chance.
std::vector<QColor> distinct(const std::vector<const PortfolioItem*>& items);

} // namespace ChartColours
