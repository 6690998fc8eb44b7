#pragma once

#include <optional>
#include <string>

// Reads a whole file (also a pipe or a file without a known size); empty when it cannot be read.
// Paths are UTF-8 on every system.
std::optional<std::string> readWholeFile(const std::string& path);
