// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ServerLinkOptions.h"

#include "cli/CliSupport.h"
#include "core/base/NumberInput.h"
#include "core/servers/ServerLinks.h"
#include "core/servers/ServerStore.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const char* const kLinkOptions[] = {"fallback", "clear-fallback", "cross-check", "cross-check-percent",
                                    "clear-cross-check"};

Status refuse(const std::string& message)
{
    return Status::error(Status::Code::InvalidInput, message);
}

Status readPercent(const QString& text, int32_t& hundredths)
{
    const Result<double> percent = readNumber(text.toStdString());
    const double scaled = percent ? std::round(*percent * 100) : 0.0;
    if (!percent || scaled < ServerConfig::kMinCrossCheckPercent || scaled > ServerConfig::kMaxCrossCheckPercent)
        return refuse("--cross-check-percent takes a number from 0.1 to 100.");
    hundredths = static_cast<int32_t>(scaled);
    return Status::ok();
}

std::string shownName(const std::string& name)
{
    return ServerStore::serverExists(name) ? name : name + " (missing)";
}

} // namespace

namespace ServerLinkOptions {

void addTo(QCommandLineParser& parser)
{
    parser.addOptions({
        {"fallback", "Fetch from this stored server when the server fails.", "OTHER"},
        {"clear-fallback", "Fall back on no server."},
        {"cross-check", "Compare every result with this stored server's.", "OTHER"},
        {"cross-check-percent", "How far the two results may differ (0.1 to 100, default 2).", "P"},
        {"clear-cross-check", "Compare with no server."},
    });
}

Status apply(const QCommandLineParser& parser, const std::string& name, ServerConfig& config)
{
    if (parser.isSet("fallback") && parser.isSet("clear-fallback"))
        return refuse("--fallback and --clear-fallback exclude each other.");
    if (parser.isSet("clear-cross-check") && (parser.isSet("cross-check") || parser.isSet("cross-check-percent")))
        return refuse("--clear-cross-check excludes --cross-check and --cross-check-percent.");
    if (parser.isSet("fallback"))
        config.Fallback = parser.value("fallback").toStdString();
    if (parser.isSet("clear-fallback"))
        config.Fallback.clear();
    if (parser.isSet("cross-check"))
        config.CrossCheck = parser.value("cross-check").toStdString();
    if (parser.isSet("clear-cross-check")) {
        config.CrossCheck.clear();
        config.CrossCheckPercent = ServerConfig::kDefaultCrossCheckPercent;
    }
    if (parser.isSet("cross-check-percent")) {
        if (const Status read = readPercent(parser.value("cross-check-percent"), config.CrossCheckPercent); !read)
            return read;
    }
    // A reference to a server deleted since then does not stop other changes.
    const bool linksGiven = std::any_of(std::begin(kLinkOptions), std::end(kLinkOptions),
                                        [&parser](const char* option) { return parser.isSet(option); });
    if (const Status checked = ServerLinks::check(name, config, ServerLinks::storeLookup()); linksGiven && !checked)
        return checked;
    return Status::ok();
}

void printLines(const ServerConfig& config)
{
    if (!config.Fallback.empty())
        Cli::out("Fallback=" + shownName(config.Fallback));
    if (!config.CrossCheck.empty()) {
        Cli::out("CrossCheck=" + shownName(config.CrossCheck));
        Cli::out("CrossCheckPercent=" + ServerLinks::percentText(config.CrossCheckPercent));
    }
}

void addJson(const ServerConfig& config, QJsonObject& object)
{
    object.insert("fallback", QString::fromStdString(config.Fallback));
    object.insert("crossCheck", QString::fromStdString(config.CrossCheck));
    object.insert("crossCheckPercent", config.CrossCheck.empty() ? 0.0 : config.CrossCheckPercent / 100.0);
}

} // namespace ServerLinkOptions
