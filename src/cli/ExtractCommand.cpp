// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "cli/RuleOptions.h"
#include "core/base/FileReader.h"
#include "core/base/FormatText.h"
#include "core/base/LocaleFormat.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"
#include "core/servers/ServerStore.h"

#include <QJsonObject>
#include <cstdio>
#include <ctime>

namespace {

const char* const kUsage = "Usage: tickora-cli extract PAGE [rule options] [--server NAME] [--name N] [--symbol S]\n"
                           "       [--reference \"YYYY-MM-DD HH:MM\"] [--json]";
const char* const kSummary =
    "  extract PAGE [rule options] [--server NAME] [--name N] [--symbol S]\n"
    "          [--reference \"YYYY-MM-DD HH:MM\"] [--json]\n"
    "                                     Find the quotation (and its date/time) in a saved page.\n";

std::string dateTime(time_t time)
{
    return LocaleFormat::localTime(time, "%Y-%m-%d %H:%M");
}

int report(const ExtractResult& result, bool json)
{
    if (json) {
        QJsonObject object{{"status", static_cast<int>(result.status)},
                           {"value", Cli::jsonNumber(result.value)},
                           {"time", static_cast<qint64>(result.time)},
                           {"excerpt", QString::fromStdString(result.excerpt)}};
        Cli::printJson(object);
    } else if (result.status == ExtractStatus::QuotationFound) {
        Cli::out(formatText("Value: %.4f", result.value));
        Cli::out("Date/Time: " + dateTime(result.time));
    } else {
        Cli::out(Cli::singleLine(result.statusText()));
    }
    return result.status == ExtractStatus::QuotationFound ? Cli::Success : Cli::Failed;
}

int runExtractCommand(const QStringList& args)
{
    QCommandLineParser parser;
    RuleOptions::addTo(parser);
    parser.addOptions({{"server", "Start from this stored server's rules.", "NAME"},
                       {"name", "Item name for [&name].", "N"},
                       {"symbol", "Item symbol for [&symbol].", "S"},
                       {"reference", "The time the quotation is for (default now).", "YYYY-MM-DD HH:MM"},
                       {"json", "Print JSON."}});
    parser.addPositionalArgument("PAGE", "A saved page.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("extract takes exactly one PAGE.", kUsage);

    ServerConfig rules = ServerConfig::newServerDefaults();
    if (parser.isSet("server")) {
        const std::string server = parser.value("server").toStdString();
        if (!ServerStore::serverExists(server)) {
            Cli::err(ServerStore::missingServerMessage(server));
            return Cli::UsageError;
        }
        ServerStore::readServerConfig(server, rules);
    }
    time_t reference = std::time(nullptr);
    if (parser.isSet("reference") && !PortfolioCli::parseTime(parser.value("reference"), reference))
        return Cli::usageError("--reference takes a local time written \"YYYY-MM-DD HH:MM\".", kUsage);
    if (const Status applied = RuleOptions::apply(parser, rules); !applied)
        return Cli::usageError(applied.message(), kUsage);
    const Result<ServerConfig> itemRules = QuotationExtractor::withItemVariables(
        rules, parser.value("name").toStdString(), parser.value("symbol").toStdString());
    if (!itemRules) {
        Cli::err(itemRules.message());
        return Cli::Failed;
    }

    const std::string path = Cli::filePath(Cli::positionals(parser).first());
    std::optional<std::string> page = readWholeFile(path);
    if (!page) {
        Cli::err("Cannot read the page \"" + path + "\".");
        return Cli::FileError;
    }
    return report(QuotationExtractor::extractFromRawPage(*itemRules, std::move(*page), reference),
                  parser.isSet("json"));
}

} // namespace

const CliCommand kExtractCommand = {"extract", kUsage, kSummary, runExtractCommand};
