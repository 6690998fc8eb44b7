// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/TempFile.h"

#include <string>
#include <string_view>

// Temporary files of downloads: "TKR" followed by a unique part and ".tmp", in the user's temporary folder.
namespace TempFiles {

// Creates a new empty file; an empty handle when 10 attempts failed.
TempFile create();
// Creates a new file holding `bytes`; an empty handle when it could not be created or written (nothing is left).
TempFile createWith(std::string_view bytes);
// Gives a temporary file `extension` (".txt", ".html") in place of ".tmp", deleting a file of that name first.
// The file keeps its old name when it cannot be renamed.
TempFile rename(TempFile file, const std::string& extension);

} // namespace TempFiles
