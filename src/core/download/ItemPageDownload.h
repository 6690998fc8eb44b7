// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/download/DownloadJob.h"
#include "core/servers/ServerConfig.h"

#include <memory>
#include <string>

// Fetches an item's page as its update would (address, request headers and timeout of its rules, the
// item's name and symbol put in) and hands it over unsearched, for a repair of its rule.
namespace ItemPageDownload {

// The job; receiver and abort signal are the caller's to set.
std::unique_ptr<DownloadJob> makeJob(const ServerConfig& rules, const std::string& name, const std::string& symbol);
// Runs it on this thread: the page, or the status text of the failure.
Result<std::string> fetch(const ServerConfig& rules, const std::string& name, const std::string& symbol);

} // namespace ItemPageDownload
