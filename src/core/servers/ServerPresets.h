// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/servers/ServerConfig.h"

#include <vector>

// The quotation servers every installation starts with.
namespace ServerPresets {

// The eighteen built-in servers, in the order they are installed; `name` holds each server's name.
const std::vector<ServerConfig>& presets();

// Writes the presets (replacing stored servers of the same names) unless this preset generation is
// installed already, then records the generation. False when a server could not be stored; the
// generation is then left as it was, so the next start tries again.
bool installServerPresets();

} // namespace ServerPresets
