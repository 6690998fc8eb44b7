#include "core/download/DownloadSettings.h"

#include "core/settings/GeneralOptions.h"

DownloadSettings DownloadSettings::read()
{
    return {GeneralOptions::ReadOptions().ConnectionsPerHost, DownloadOptions::ReadOptions().UserAgent};
}
