// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <string>

// The text options of downloads, kept in the settings section "Download" (so that "GeneralOptions" stays
// all numbers).
struct DownloadOptions {
    static constexpr const char* kDefaultUserAgent = "Tickora/" TICKORA_VERSION;

    // Sent as the only User-Agent header of every request.
    std::string UserAgent = kDefaultUserAgent;

    // A missing or unusable value reads as its default.
    static DownloadOptions readOptions();
    bool writeOptions() const;
    // Refused, saying why, when `agent` may not be sent.
    static Status checkUserAgent(const std::string& agent);
};
