#pragma once

#include "core/base/Status.h"
#include "core/servers/ServerConfig.h"

#include <string>
#include <vector>

// Server configurations kept once per user in the settings store, under "Server/<name>".
namespace ServerStore {

constexpr int kServerPresetVersion = 20;

// Stored server names, case-insensitively sorted (ties in byte order).
std::vector<std::string> ListServerNames();
bool ServerExists(const std::string& name);
// Fills `config` from the stored server; a missing server leaves the defaults and keeps TAUSEND/DECIMAL.
void ReadServerConfig(const std::string& name, ServerConfig& config);
// Refuses the empty name and a name with a line break, another control character (also DEL) or a backslash.
Status CheckServerName(const std::string& name);
// Stores all 19 fields. Refuses such a name, an overlong text or the pseudo-server name.
Status WriteServerConfig(const std::string& name, const ServerConfig& config);
void DeleteServerConfig(const std::string& name);

int StoredPresetVersion();
void StorePresetVersion(int version);
bool PresetsAreCurrent();

// "The server properties for '%s'\n do not exist on this computer!"
std::string MissingServerMessage(const std::string& name);

} // namespace ServerStore
