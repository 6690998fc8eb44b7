// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <string>

// Turns a downloaded page into the text that the rules search.
namespace PageConverter {

// The numbers are the stored `Format` of a server.
enum class Mode { None = 0, SemiHtml = 1, TextOnly = 2 };

// A server's stored `Format`; a number outside the three stays unknown and converts to an empty text.
inline Mode modeOf(int format)
{
    return static_cast<Mode>(format);
}

// Converts page text already in UTF-8; an unknown mode gives an empty text.
std::string convertPage(Mode mode, const std::string& page);
// Reads `sourcePath`, applies the page encoding rule and writes the converted text to `targetPath`.
// An unreadable source leaves the target empty. Fails when the target cannot be written.
Status convertPageFile(Mode mode, const std::string& sourcePath, const std::string& targetPath);

} // namespace PageConverter
