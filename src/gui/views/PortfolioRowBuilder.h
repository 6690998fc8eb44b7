// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "core/settings/RuleHealth.h"
#include "gui/views/PortfolioRow.h"

#include <QString>

#include <ctime>

// The list's cells, trend icon and dot for one item, formatted by the core in the current locale.
PortfolioRow buildPortfolioRow(const PortfolioItem& item, PortfolioDocument::ItemId id, bool percentual, time_t now,
                               const QString& healthWarning = QString());

// "Quotation rule failing since %1: %2" (the last success as "Last Update" writes times, or "never") for an item
// failing kFailingRun times in a row or more; empty otherwise.
QString ruleHealthWarning(const RuleHealth& health, time_t now);

// "Amount invested: ..." over all items, in percent or nominal form.
QString portfolioStatusLine(const PortfolioDocument& doc, bool percentual);
