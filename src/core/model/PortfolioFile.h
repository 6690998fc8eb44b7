// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/model/PortfolioItem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Portfolio files on disk. Saving goes through a temporary file in the same folder that replaces
// the old file only when everything was written.
namespace PortfolioFile {

constexpr const char* kOpenFailed = "Failed to open document.";
constexpr const char* kSaveFailed = "Failed to save document.";

// Reads a file of any version; appends the invested-amount-history item to a non-empty list of
// items older than version 8.
Result<std::vector<PortfolioItem>> load(const std::string& path);
// The same items handed to `onItem` one at a time, for callers that need not keep them all; a failure may come
// after some items were handed over.
Status scan(const std::string& path, const std::function<void(PortfolioItem&)>& onItem);
Status save(const std::string& path, const std::vector<PortfolioItem>& items);
// Saves as save() does and keeps the version it replaces as backups (FileBackups) for `keepDays` days. A
// backup that could not be made leaves the save done and its reason in `backupFailure`.
Status saveKeepingBackups(const std::string& path, const std::vector<PortfolioItem>& items, int keepDays,
                          std::string& backupFailure);
Status saveBytesKeepingBackups(const std::string& path, std::string_view bytes, int keepDays,
                               std::string& backupFailure);

} // namespace PortfolioFile
