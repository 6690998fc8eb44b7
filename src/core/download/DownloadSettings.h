#pragma once

#include "core/settings/DownloadOptions.h"

#include <string>

// How downloads present themselves and how hard they may press one host.
struct DownloadSettings {
    int connectionsPerHost = 4;
    std::string userAgent = DownloadOptions::kDefaultUserAgent;

    // "GeneralOptions"/"ConnectionsPerHost" and "Download"/"UserAgent" of the settings store.
    static DownloadSettings read();
};
