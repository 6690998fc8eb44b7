#pragma once

#include <string>

// Temporary files of downloads: "TKR" followed by a unique part and ".tmp", in the user's temporary folder.
namespace TempFiles {

// Creates a new empty file and returns its path; empty when 10 attempts failed.
std::string create();

} // namespace TempFiles
