// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"

#include <string>

// Which names an item may take: commands and the list address items by name, and a tab or line break
// would split the lines that name them.
namespace ItemNames {

// "" when `name` may name an item in any portfolio; else the message that refuses a blank name or control
// characters.
std::string textRefusal(const std::string& name);
// "" when `name` may name a new item (`self` 0) or the item `self`; else the text refusal or
// "%1 already exists in the portfolio.".
std::string refusal(const PortfolioDocument& doc, const std::string& name, PortfolioDocument::ItemId self = 0);

} // namespace ItemNames
