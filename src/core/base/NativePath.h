// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Paths are the file system's bytes, UTF-8 on every system; but a Unix file name may hold bytes that are not
// UTF-8, which neither a QString nor Qt's file classes can carry.
namespace NativePath {

bool isUtf8(std::string_view bytes);
// A command-line argument as text: each byte that is not part of UTF-8 becomes a lone surrogate
// (U+DC80 to U+DCFF), so toBytes gives the argument back byte for byte.
QString fromArgument(std::string_view bytes);
std::string toBytes(const QString& text);
// The path as Qt's file classes take it. A path that is not UTF-8 reaches an existing file, or the folder
// of a missing one, through a descriptor held open for the rest of the run ("/proc/self/fd/N").
QString forQt(const std::string& path);

} // namespace NativePath
