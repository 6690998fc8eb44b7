#pragma once

#include <string>
#include <string_view>

// Temporary files of downloads: "TKR" followed by a unique part and ".tmp", in the user's temporary folder.
namespace TempFiles {

// Creates a new empty file and returns its path; empty when 10 attempts failed.
std::string create();
// Creates a new file holding `bytes`; empty when it could not be created or written (nothing is left).
std::string createWith(std::string_view bytes);

} // namespace TempFiles
