// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/servers/ServerConfig.h"

#include <string>
#include <vector>

// What one item's download sends: its server's address and request lines with the item's name and symbol put
// in, and the rules with them put into start text and pattern.
struct ItemRequest {
    std::string url;
    std::vector<std::string> headers;
    ServerConfig rules;
    // Why the item cannot be fetched with these rules (a text grew past 259 characters); empty when it can.
    std::string refusal;

    static ItemRequest build(const std::string& name, const std::string& symbol, ServerConfig rules);
};
