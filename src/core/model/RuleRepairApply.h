// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/model/PortfolioDocument.h"
#include "core/servers/ServerConfig.h"

#include <string>

// Writes a repaired rule where the item's rule lives: into the item's own rules, or into the stored server
// it names, which then changes for every item that uses it.
namespace RuleRepairApply {

// The name of the stored server whose rules the item uses, or empty when it has its own.
std::string storedServerOf(const PortfolioItem& item);
// How many items of the document use the stored server `name`.
int itemsUsing(const PortfolioDocument& doc, const std::string& name);
// Puts the rule fields of `rules` (not its name or headers) in place; the document is changed only for an
// item's own rules, and then is the caller's to save.
Status apply(PortfolioDocument& doc, int pos, const ServerConfig& rules);
// "Server %1 changed: used by %2 items."
std::string serverChangedMessage(const std::string& server, int items);

} // namespace RuleRepairApply
