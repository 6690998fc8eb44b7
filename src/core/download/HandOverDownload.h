// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/download/DownloadJob.h"

#include <memory>
#include <string>

// Downloads that hand the page over instead of searching it: the wizard's sample page (raw, semi-html and
// text-only) and the historical import's file (as downloaded). They take no download slot.
namespace HandOverDownload {

enum class Kind { Wizard, Raw };

// The job for `urlTemplate` with its first "[&name]" and "[&symbol]" put in; the worker puts in the date
// variables of the current time. Sent with the user's user agent; receiver and abort signal are the
// caller's to set.
std::unique_ptr<DownloadJob> makeJob(Kind kind, const std::string& urlTemplate, const std::string& name,
                                     const std::string& symbol);

// Runs a raw download on this thread. The downloaded temporary file, or the worker's status text of how the
// download failed ("Error: File not found: /table.csv").
Result<TempFile> fetchRaw(const std::string& urlTemplate, const std::string& name, const std::string& symbol);

} // namespace HandOverDownload
