// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/RuleOptions.h"
#include "cli/ServerLinkOptions.h"
#include "core/base/FormatText.h"
#include "core/extract/JsonRule.h"
#include "core/extract/Pcre2Regex.h"
#include "core/extract/XPathRule.h"
#include "core/servers/ServerConfigExport.h"
#include "core/servers/ServerPresets.h"
#include "core/servers/ServerStore.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace {

const char* const kUsage = "Usage: tickora-cli servers list\n"
                           "       tickora-cli servers show NAME [--json]\n"
                           "       tickora-cli servers set NAME [rule options] [--header \"Name: value\" ...]\n"
                           "                               [--clear-headers]\n"
                           "                               [--fallback OTHER | --clear-fallback]\n"
                           "                               [--cross-check OTHER [--cross-check-percent P] | "
                           "--clear-cross-check]\n"
                           "       tickora-cli servers delete NAME\n"
                           "       tickora-cli servers export OUT.reg\n"
                           "       tickora-cli servers install-presets";
const char* const kSummary =
    "  servers list                       List the stored quotation servers.\n"
    "  servers show NAME [--json]         Show a server's rules.\n"
    "  servers set NAME [rule options] [--header \"Name: value\" ...] [--clear-headers]\n"
    "                   [--fallback OTHER | --clear-fallback]\n"
    "                   [--cross-check OTHER [--cross-check-percent P] | --clear-cross-check]\n"
    "                                     Create or change a server.\n"
    "  servers delete NAME                Delete a server.\n"
    "  servers export OUT.reg             Write every server to a REGEDIT4 file.\n"
    "  servers install-presets            Install the built-in servers unless they are current.\n";

bool requireStored(const std::string& name)
{
    if (ServerStore::serverExists(name))
        return true;
    Cli::err(ServerStore::missingServerMessage(name));
    return false;
}

// A stored name of a kind no longer accepted stays on one line: control characters as \xHH, "\" as "\\".
std::string listed(const std::string& name)
{
    std::string line;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            line += "\\\\";
        else if (byte < 0x20 || byte == 0x7F)
            line += formatText("\\x%02X", byte);
        else
            line += c;
    }
    return line;
}

int list()
{
    for (const std::string& name : ServerStore::listServerNames())
        Cli::out(listed(name));
    return Cli::Success;
}

int show(const std::string& name, bool json)
{
    if (!requireStored(name))
        return Cli::UsageError;
    ServerConfig config;
    ServerStore::readServerConfig(name, config);
    QJsonObject object;
    for (const ServerConfig::Field& f : ServerConfig::fields()) {
        if (json) {
            object.insert(f.key,
                          f.text ? QJsonValue(QString::fromStdString(config.*f.text)) : QJsonValue(config.*f.number));
        } else {
            Cli::out(std::string(f.key) + "=" + (f.text ? config.*f.text : std::to_string(config.*f.number)));
        }
    }
    QJsonArray headers;
    for (const std::string& line : config.Headers) {
        headers.append(QString::fromStdString(line));
        if (!json)
            Cli::out("Header=" + line);
    }
    if (!json)
        ServerLinkOptions::printLines(config);
    if (json) {
        ServerLinkOptions::addJson(config, object);
        if (!headers.isEmpty())
            object.insert("headers", headers);
        Cli::printJson(object);
    }
    return Cli::Success;
}

bool startsWithNoCase(const std::string& text, const char* prefix)
{
    return QString::fromStdString(text).startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

// Rules that could never download or match are refused when stored, not at the next update.
Status usableRules(const ServerConfig& config)
{
    if (!config.URL.empty() && !startsWithNoCase(config.URL, "http://") && !startsWithNoCase(config.URL, "https://") &&
        !startsWithNoCase(config.URL, "file://"))
        return Status::error(Status::Code::InvalidInput, "Error: Wrong URL!");
    if (config.Filtering != 0 && JsonRule::isJsonRule(config.RegExp)) {
        const std::optional<JsonRule> paths = JsonRule::decode(config.RegExp);
        return paths ? paths->check() : Status::error(Status::Code::InvalidInput, "The JSON paths cannot be read.");
    }
    if (config.Filtering != 0 && XPathRule::isXPathRule(config.RegExp)) {
        const std::optional<XPathRule> expressions = XPathRule::decode(config.RegExp);
        return expressions ? expressions->check()
                           : Status::error(Status::Code::InvalidInput, "The XPath expressions cannot be read.");
    }
    if (const Pcre2Regex regex(config.RegExp, config.NoCaseSensitiv != 0); !regex.isValid())
        return Status::error(Status::Code::InvalidInput, regex.compileErrorMessage());
    return Status::ok();
}

int set(const std::string& name, const QCommandLineParser& parser)
{
    if (name == ServerConfig::kUserDefinedName)
        return Cli::usageError("\"-- User defined --\" is not a server that can be stored.", kUsage);
    ServerConfig config = ServerConfig::newServerDefaults();
    if (ServerStore::serverExists(name))
        ServerStore::readServerConfig(name, config);
    if (const Status checked = ServerStore::checkServerName(name); !checked)
        return Cli::usageError(checked.message(), kUsage);
    if (const Status applied = RuleOptions::apply(parser, config); !applied)
        return Cli::usageError(applied.message(), kUsage);
    if (parser.isSet("clear-headers") && parser.isSet("header"))
        return Cli::usageError("--header and --clear-headers exclude each other.", kUsage);
    if (parser.isSet("clear-headers"))
        config.Headers.clear();
    if (parser.isSet("header")) {
        config.Headers.clear();
        for (const QString& line : parser.values("header"))
            config.Headers.push_back(line.toStdString());
    }
    if (const Status usable = usableRules(config); !usable)
        return Cli::usageError(usable.message(), kUsage);
    if (const Status linked = ServerLinkOptions::apply(parser, name, config); !linked)
        return Cli::usageError(linked.message(), kUsage);
    if (const Status stored = ServerStore::writeServerConfig(name, config); !stored) {
        if (stored.code() == Status::Code::InvalidInput)
            return Cli::usageError(stored.message(), kUsage);
        Cli::err(stored.message());
        return Cli::FileError;
    }
    return Cli::Success;
}

int remove(const std::string& name)
{
    if (!requireStored(name))
        return Cli::UsageError;
    ServerStore::deleteServerConfig(name);
    return Cli::Success;
}

int exportAll(const std::string& path)
{
    if (const Status exported = ServerConfigExport::exportServerConfigs(path); !exported) {
        Cli::err(exported.message());
        return Cli::FileError;
    }
    int outcome = Cli::Success;
    for (const std::string& name : ServerStore::listServerNames()) {
        if (!ServerStore::checkServerName(name)) {
            Cli::err("Not exported, a registry key cannot hold its name: " + listed(name));
            outcome = Cli::Failed;
        }
    }
    return outcome;
}

int installPresets()
{
    if (!ServerPresets::installServerPresets()) {
        Cli::err("The built-in servers could not be stored.");
        return Cli::Failed;
    }
    return Cli::Success;
}

int runServersCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"json", "Print JSON."});
    RuleOptions::addTo(parser);
    parser.addOption({"header", "A request line sent with every download of the server (repeatable).", "LINE"});
    parser.addOption({"clear-headers", "Send no extra request lines."});
    ServerLinkOptions::addTo(parser);
    parser.addPositionalArgument("action", "list, show, set, delete, export or install-presets");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    const QStringList positional = Cli::positionals(parser);
    const QString action = positional.value(0);
    if (action == "list" && positional.size() == 1)
        return list();
    if (action == "install-presets" && positional.size() == 1)
        return installPresets();
    if (positional.size() != 2)
        return Cli::usageError("servers " + action.toStdString() + ": wrong number of arguments.", kUsage);
    const std::string name = positional[1].toStdString();
    const QStringList options = parser.optionNames();
    const bool ruleOptions =
        std::any_of(options.begin(), options.end(), [](const QString& option) { return option != "json"; });
    if ((action == "show" || action == "delete") && ruleOptions)
        return Cli::usageError("servers " + action.toStdString() + " takes no rule options.", kUsage);
    if (action == "show")
        return show(name, parser.isSet("json"));
    if (action == "set")
        return set(name, parser);
    if (action == "delete")
        return remove(name);
    if (action == "export")
        return exportAll(positional[1].toStdString());
    return Cli::usageError("unknown servers action '" + action.toStdString() + "'.", kUsage);
}

} // namespace

const CliCommand kServersCommand = {"servers", kUsage, kSummary, runServersCommand};
