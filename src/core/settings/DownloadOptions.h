#pragma once

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
    // "" when `agent` may be sent; otherwise why not.
    static std::string checkUserAgent(const std::string& agent);
};
