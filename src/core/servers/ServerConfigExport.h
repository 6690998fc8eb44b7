// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/servers/ServerConfig.h"

#include <string>
#include <vector>

// All stored server configurations and the preset generation as a REGEDIT4 registry import file.
namespace ServerConfigExport {

// The file's text (UTF-8, CR LF line ends) for these servers, in the given order.
std::string render(const std::vector<ServerConfig>& servers, int presetVersion);

// The bytes to write: Windows-1252 when every character fits, otherwise the whole text as UTF-8.
std::string encode(const std::string& text);

// Exports every stored server whose name a registry key can hold (ServerStore::checkServerName). Fails with "File could
// not be saved (%i)" and the system's error number; an earlier file then stays unchanged.
Status exportServerConfigs(const std::string& path);

} // namespace ServerConfigExport
