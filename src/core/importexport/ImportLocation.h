// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>
#include <vector>

// Where a historical file comes from: a local file, or an address built from a URL template and a period.
namespace ImportLocation {

constexpr int kTemplateCount = 5;
constexpr const char* kFilePrefix = "file://";

// "ServerImport"/"URL1" to "URL5", each missing value by its default. The program never writes them.
std::vector<std::string> readTemplates();
// The templates offered for choice: "URL1" always, the others when not empty.
std::vector<std::string> offeredTemplates();

std::string localFileAddress(const std::string& path);
// True for a typed location without a scheme ("://"): a path on this computer.
bool isLocalPath(const std::string& location);
// The address a typed location is read from: a local path as "file://" and the path, anything else (also
// nothing) as typed.
std::string readAddress(const std::string& location);
// The template with the period variables of `begin` to `end` put in; the item variables stay for the fetch.
std::string downloadAddress(const std::string& urlTemplate, time_t begin, time_t end);

} // namespace ImportLocation
