#include "core/settings/DownloadOptions.h"

#include "core/settings/SettingsStore.h"

#include <algorithm>

namespace {

const char* const kSection = "Download";
const char* const kUserAgent = "UserAgent";

} // namespace

DownloadOptions DownloadOptions::ReadOptions()
{
    DownloadOptions options;
    auto settings = SettingsStore::open();
    const std::string stored = settings->value(QString(kSection) + "/" + kUserAgent).toString().toStdString();
    if (checkUserAgent(stored).empty())
        options.UserAgent = stored;
    return options;
}

bool DownloadOptions::WriteOptions() const
{
    auto settings = SettingsStore::open();
    settings->setValue(QString(kSection) + "/" + kUserAgent, QString::fromStdString(UserAgent));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

std::string DownloadOptions::checkUserAgent(const std::string& agent)
{
    if (agent.empty())
        return "Please enter a user agent.";
    // A line break would start a header of its own.
    if (std::any_of(agent.begin(), agent.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return "The user agent must not contain line breaks or other control characters.";
    return {};
}
