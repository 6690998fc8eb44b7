// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerLinks.h"

#include "core/servers/ServerStore.h"

#include <QString>

#include <algorithm>

namespace {

Status refused(const std::string& message)
{
    return Status::error(Status::Code::InvalidInput, message);
}

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Follows the fallbacks from `config` on; the name a chain returns to, if any.
std::optional<std::string> loopReturn(const std::string& name, const ServerConfig& config,
                                      const ServerLinks::ServerLookup& lookup)
{
    std::vector<std::string> seen{name};
    std::string next = config.Fallback;
    while (!next.empty()) {
        if (contains(seen, next))
            return next;
        seen.push_back(next);
        const std::optional<ServerConfig> stored = lookup(next);
        if (!stored)
            return std::nullopt;
        next = stored->Fallback;
    }
    return std::nullopt;
}

} // namespace

namespace ServerLinks {

ServerLookup storeLookup()
{
    return [](const std::string& name) -> std::optional<ServerConfig> {
        if (!ServerStore::serverExists(name))
            return std::nullopt;
        ServerConfig config;
        config.name = name;
        ServerStore::readServerConfig(name, config);
        return config;
    };
}

Status check(const std::string& name, const ServerConfig& config, const ServerLookup& lookup)
{
    if (config.Fallback == name)
        return refused("A server cannot fall back on itself.");
    if (config.CrossCheck == name)
        return refused("A server cannot be checked against itself.");
    for (const std::string* other : {&config.Fallback, &config.CrossCheck})
        if (!other->empty() && !lookup(*other))
            return refused(ServerStore::missingServerMessage(*other));
    if (const std::optional<std::string> back = loopReturn(name, config, lookup))
        return refused("The fallback chain would return to '" + *back + "'.");
    if (config.CrossCheckPercent < ServerConfig::kMinCrossCheckPercent ||
        config.CrossCheckPercent > ServerConfig::kMaxCrossCheckPercent)
        return refused("The cross-check percent must be a number from 0.1 to 100.");
    return Status::ok();
}

std::vector<std::string> fallbackChain(const std::string& name, const ServerLookup& lookup)
{
    std::vector<std::string> chain{name};
    std::optional<ServerConfig> current = lookup(name);
    while (current && static_cast<int>(chain.size()) < kMaxChainLength) {
        const std::string next = current->Fallback;
        if (next.empty() || contains(chain, next))
            break;
        current = lookup(next);
        if (current)
            chain.push_back(next);
    }
    return chain;
}

std::string percentText(int32_t hundredths)
{
    return QString::number(hundredths / 100.0).toStdString();
}

} // namespace ServerLinks
