// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <string>

// The alarm test of an item against its newest quotation.
bool alarmTriggered(const PortfolioItem& item);
// The first alarm test that holds, in the order above, below, difference: "above %.2f", "below %.2f" or
// "differs by more than %.2f%% from the buy price"; "" when none holds.
std::string alarmCondition(const PortfolioItem& item);
