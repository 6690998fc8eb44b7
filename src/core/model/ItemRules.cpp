// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ItemRules.h"

#include "core/servers/ServerStore.h"

namespace {

bool namesServer(const PortfolioItem& item)
{
    return !item.server.name.empty() && item.server.name != ServerConfig::kUserDefinedName;
}

ServerConfig storedServer(const std::string& name)
{
    ServerConfig stored;
    ServerStore::readServerConfig(name, stored);
    return stored;
}

// Request headers, fallbacks and cross-checks belong to stored servers only.
ServerConfig ownRules(const PortfolioItem& item)
{
    ServerConfig rules = item.server;
    rules.Headers.clear();
    rules.Fallback.clear();
    rules.CrossCheck.clear();
    return rules;
}

} // namespace

ServerConfig resolveItemRules(const PortfolioItem& item)
{
    return namesServer(item) ? storedServer(item.server.name) : ownRules(item);
}

ServerConfig resolveItemRules(const PortfolioItem& item, std::map<std::string, ServerConfig>& storedServers)
{
    if (!namesServer(item))
        return ownRules(item);
    auto found = storedServers.find(item.server.name);
    if (found == storedServers.end())
        found = storedServers.emplace(item.server.name, storedServer(item.server.name)).first;
    return found->second;
}
