// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The unattended update without a display: open, update all, save; messages go to stderr.
// Returns 0 when every download found its quotation, 1 when some failed, 3 on a file error.
int runHeadlessUpdate(const std::string& path, int numberDownloads);
