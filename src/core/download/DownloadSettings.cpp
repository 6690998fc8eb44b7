// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/DownloadSettings.h"

#include "core/settings/GeneralOptions.h"

DownloadSettings DownloadSettings::read()
{
    const GeneralOptions options = GeneralOptions::readOptions();
    return {options.ConnectionsPerHost, DownloadOptions::readOptions().UserAgent, options.GuardPercent};
}
