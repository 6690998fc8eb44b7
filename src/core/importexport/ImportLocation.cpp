// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/ImportLocation.h"

#include "core/base/UrlVariables.h"
#include "core/settings/SettingsStore.h"

namespace ImportLocation {

namespace {

SettingsKey templateKey(int number)
{
    return static_cast<SettingsKey>(static_cast<int>(SettingsKey::ImportUrl1) + number - 1);
}

} // namespace

std::vector<std::string> readTemplates()
{
    std::vector<std::string> templates;
    for (int number = 1; number <= kTemplateCount; ++number)
        templates.push_back(SettingsStore::value(templateKey(number)).toString().toStdString());
    return templates;
}

std::vector<std::string> offeredTemplates()
{
    std::vector<std::string> offered;
    for (const std::string& urlTemplate : readTemplates())
        if (offered.empty() || !urlTemplate.empty())
            offered.push_back(urlTemplate);
    return offered;
}

std::string localFileAddress(const std::string& path)
{
    return kFilePrefix + path;
}

bool isLocalPath(const std::string& location)
{
    return location.find("://") == std::string::npos;
}

std::string readAddress(const std::string& location)
{
    return !location.empty() && isLocalPath(location) ? localFileAddress(location) : location;
}

std::string downloadAddress(const std::string& urlTemplate, time_t begin, time_t end)
{
    return UrlVariables::substitutePeriodVariables(urlTemplate, begin, end).text;
}

} // namespace ImportLocation
