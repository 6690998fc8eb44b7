// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/DownloadOptions.h"

#include "core/settings/SettingsStore.h"

#include <algorithm>

DownloadOptions DownloadOptions::readOptions()
{
    DownloadOptions options;
    const std::string stored = SettingsStore::value(SettingsKey::DownloadUserAgent).toString().toStdString();
    if (checkUserAgent(stored).isOk())
        options.UserAgent = stored;
    return options;
}

bool DownloadOptions::writeOptions() const
{
    auto settings = SettingsStore::open();
    settings->setValue(SettingsKeys::path(SettingsKey::DownloadUserAgent), QString::fromStdString(UserAgent));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

Status DownloadOptions::checkUserAgent(const std::string& agent)
{
    if (agent.empty())
        return Status::error(Status::Code::InvalidInput, "Please enter a user agent.");
    // A line break would start a header of its own.
    if (std::any_of(agent.begin(), agent.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return Status::error(Status::Code::InvalidInput,
                             "The user agent must not contain line breaks or other control characters.");
    return Status::ok();
}
