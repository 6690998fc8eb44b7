// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "cli/RuleOptions.h"
#include "core/model/ChartColourChoice.h"
#include "core/model/ItemNames.h"
#include "core/servers/ServerStore.h"

#include <QRandomGenerator>

#include <ctime>

namespace {

const char* const kUsage =
    "Usage: tickora-cli add FILE --name N [--symbol S] [--note T] [--server NAME | rule options]";
const char* const kSummary = "  add FILE --name N [--symbol S] [--note T] [--server NAME | rule options]\n"
                             "                                     Append an item.\n";

const QStringList kItemOptions = {"name", "symbol", "note", "server"};

bool hasRuleOptions(const QCommandLineParser& parser)
{
    const QStringList names = parser.optionNames();
    return std::any_of(names.begin(), names.end(), [](const QString& name) { return !kItemOptions.contains(name); });
}

int runAddCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({
        {"name", "Name of the new item.", "N"},
        {"symbol", "Symbol / Ticker / ISIN.", "S"},
        {"note", "Free note.", "T"},
        {"server", "Stored server that fetches the quotation.", "NAME"},
    });
    RuleOptions::addTo(parser);
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("add: wrong number of arguments.", kUsage);
    if (!parser.isSet("name"))
        return Cli::usageError("add: --name is required.", kUsage);
    if (const std::string refusal = ItemNames::textRefusal(parser.value("name").toStdString()); !refusal.empty())
        return Cli::usageError(refusal, kUsage);
    if (parser.isSet("server") && hasRuleOptions(parser))
        return Cli::usageError("add: --server and rule options exclude each other.", kUsage);

    PortfolioItem item = PortfolioItem::newItem(parser.value("name").toStdString(), std::time(nullptr),
                                                QRandomGenerator::global()->generate());
    item.symbol = parser.value("symbol").toStdString();
    item.note = parser.value("note").toStdString();
    if (parser.isSet("server")) {
        const std::string server = parser.value("server").toStdString();
        if (!ServerStore::serverExists(server))
            return Cli::usageError(ServerStore::missingServerMessage(server), kUsage);
        ServerStore::readServerConfig(server, item.server);
        item.server.name = server;
    } else if (const Status applied = RuleOptions::apply(parser, item.server); !applied) {
        return Cli::usageError(applied.message(), kUsage);
    }

    const QString path = Cli::positionals(parser).at(0);
    PortfolioDocument doc;
    if (!PortfolioCli::open(doc, path))
        return Cli::FileError;
    if (const std::string refusal = ItemNames::refusal(doc, item.name); !refusal.empty())
        return Cli::usageError(refusal, kUsage);
    item.chartColour = ChartColourChoice::unusedColour(doc, QRandomGenerator::global()->generate());
    doc.insertNewItem(item);
    return PortfolioCli::save(doc, path) ? Cli::Success : Cli::FileError;
}

} // namespace

const CliCommand kAddCommand = {"add", kUsage, kSummary, runAddCommand};
