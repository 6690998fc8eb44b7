// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/servers/ServerConfig.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The fallback and cross-check servers a stored server names.
namespace ServerLinks {

// At most this many servers are tried for one item, its own included.
constexpr int kMaxChainLength = 3;

// Reads a stored server; none when it does not exist.
using ServerLookup = std::function<std::optional<ServerConfig>(const std::string& name)>;
ServerLookup storeLookup();

// Whether `config`, stored as `name`, may name its fallback and cross-check server: not itself, existing, no
// fallback chain returning to a server already in it, a percent from 0.1 to 100.
Status check(const std::string& name, const ServerConfig& config, const ServerLookup& lookup);

// The servers tried in turn for an item of server `name`: itself first, then its fallback and theirs, never one
// twice, missing ones left out, at most kMaxChainLength.
std::vector<std::string> fallbackChain(const std::string& name, const ServerLookup& lookup);

// Hundredths of a percent as the user writes the percent: 200 is "2", 5 is "0.05".
std::string percentText(int32_t hundredths);

} // namespace ServerLinks
