// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"
#include "core/servers/ServerConfig.h"

#include <map>
#include <string>

// The rules an item's download uses: its own fields when its server name is empty or "-- User defined --",
// else those of the stored server of that name (the defaults when none is stored). Only stored servers send
// extra request headers.
ServerConfig resolveItemRules(const PortfolioItem& item);
// The same, reading each stored server once for all items that name it.
ServerConfig resolveItemRules(const PortfolioItem& item, std::map<std::string, ServerConfig>& storedServers);
