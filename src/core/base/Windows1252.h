// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The single-byte code page that pages, portfolio files and exports fall back to.
namespace Windows1252 {

bool isValidUtf8(const std::string& bytes);
std::string toUtf8(const std::string& bytes);
// Converts UTF-8 to Windows-1252. Returns false (and leaves `out` partial) when a character does not fit.
bool fromUtf8(const std::string& utf8, std::string& out);
// Like fromUtf8, but characters that do not fit become `replacement`.
std::string fromUtf8Lossy(const std::string& utf8, char replacement = '?');

} // namespace Windows1252
