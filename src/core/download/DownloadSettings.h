// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/DownloadOptions.h"

#include <string>

// How downloads present themselves and how hard they may press one host.
struct DownloadSettings {
    int connectionsPerHost = 4;
    std::string userAgent = DownloadOptions::kDefaultUserAgent;
    // Results further than this many percent from the item's newest quotation are held back; 0 = off.
    int guardPercent = 0;

    // "GeneralOptions"/"ConnectionsPerHost", "GeneralOptions"/"GuardPercent" and "Download"/"UserAgent" of the
    // settings store.
    static DownloadSettings read();
};
