// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Files that hold credentials (request headers, the user agent) are readable by their user only, as other
// programs that store credentials keep theirs.
namespace PrivateFile {

// Creates a missing file empty with mode 0600 and its missing folders with 0700, and takes group and others'
// rights from an existing file; saves that replace the file keep its mode. Nothing on Windows, whose
// settings live in the registry.
void ensure(const QString& path);

} // namespace PrivateFile
