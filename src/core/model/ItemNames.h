// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"

#include <string>

// Which names an item may take: commands and the list address items by name, and a tab or line break
// would split the lines that name them.
namespace ItemNames {

// "" when `name` may name a new item (`self` 0) or the item `self`; else the message that refuses it:
// "%1 already exists in the portfolio." or a refusal of control characters.
std::string refusal(const PortfolioDocument& doc, const std::string& name, PortfolioDocument::ItemId self = 0);

} // namespace ItemNames
