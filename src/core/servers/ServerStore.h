// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/servers/ServerConfig.h"

#include <string>
#include <vector>

// Server configurations kept once per user in the settings store, under "Server/<name>".
namespace ServerStore {

constexpr int kServerPresetVersion = 20;

// Stored server names, case-insensitively sorted (ties in byte order).
std::vector<std::string> listServerNames();
bool serverExists(const std::string& name);
// Fills `config` from the stored server; a missing server leaves the defaults and keeps TAUSEND/DECIMAL.
void readServerConfig(const std::string& name, ServerConfig& config);
// Refuses the empty name and a name with a line break, another control character (also DEL) or a backslash.
Status checkServerName(const std::string& name);
// Stores all 19 fields. Refuses such a name, an overlong text or the pseudo-server name.
Status writeServerConfig(const std::string& name, const ServerConfig& config);
void deleteServerConfig(const std::string& name);

int storedPresetVersion();
void storePresetVersion(int version);
bool presetsAreCurrent();

// "The server properties for '%s'\n do not exist on this computer!"
std::string missingServerMessage(const std::string& name);

} // namespace ServerStore
