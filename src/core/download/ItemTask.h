// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/servers/ServerConfig.h"

#include <cstdint>
#include <optional>
#include <string>

// One item served by a download job.
struct ItemTask {
    // Identifies the item to the receiver (the document's item id); none for a test.
    std::optional<uint64_t> itemRef;
    std::string name;
    // The item's rules, with its name and symbol already put into start text and pattern.
    ServerConfig rules;
};
