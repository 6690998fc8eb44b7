// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/FileBackups.h"
#include "core/base/Status.h"

#include <string>
#include <vector>

// The backups that saves kept of a portfolio, with what each holds, and putting one back in place.
namespace PortfolioBackups {

struct Entry {
    FileBackups::Backup backup;
    bool readable = false;
    // Without the invested-amount-history item and its quotations.
    int items = 0;
    int quotations = 0;
};

// "The backup copy could not be made: %1" with the reason a save left.
std::string failureMessage(const std::string& reason);
// Newest first; a FileError when the portfolio's folder cannot be read.
Result<std::vector<Entry>> list(const std::string& path);
// Saves the backup named `name` ("last" or "YYYY-MM-DD") as the portfolio, so that the current file becomes
// its "last" backup: NotFound for an unknown name, FormatError when the backup is no portfolio.
Status restore(const std::string& path, const std::string& name, int keepDays, std::string& backupFailure);

} // namespace PortfolioBackups
