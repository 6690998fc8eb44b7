// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// Reads a whole regular file (also one without a known size, as in /proc); empty when it cannot be
// read, also for a folder, device or FIFO and when memory runs out.
// Paths are UTF-8 on every system.
std::optional<std::string> readWholeFile(const std::string& path);
