#include "core/download/DownloadSettings.h"

#include "core/settings/GeneralOptions.h"

DownloadSettings DownloadSettings::read()
{
    const GeneralOptions options = GeneralOptions::ReadOptions();
    return {options.ConnectionsPerHost, DownloadOptions::ReadOptions().UserAgent, options.GuardPercent};
}
