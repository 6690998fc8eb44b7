// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const char* const kUsage = "Usage: tickora-cli dump FILE";
const char* const kSummary = "  dump FILE                          Every stored field of every item as JSON.\n";

QJsonObject serverJson(const ServerConfig& server)
{
    QJsonObject object{{"name", QString::fromStdString(server.name)}};
    for (const ServerConfig::Field& f : ServerConfig::fields()) {
        object.insert(f.key,
                      f.text ? QJsonValue(QString::fromStdString(server.*f.text)) : QJsonValue(server.*f.number));
    }
    return object;
}

QJsonObject itemJson(const PortfolioItem& item)
{
    QJsonArray quotations;
    for (const Quotation& record : item.quotations)
        quotations.append(QJsonArray{static_cast<qint64>(record.time), Cli::jsonNumber(record.value)});
    return QJsonObject{
        {"name", QString::fromStdString(item.name)},
        {"symbol", QString::fromStdString(item.symbol)},
        {"note", QString::fromStdString(item.note)},
        {"server", serverJson(item.server)},
        {"chartOptionsSet", item.chartOptionsSet},
        {"showGridLines", item.showGridLines},
        {"graphValues", item.graphValues},
        {"axisValues", item.axisValues},
        {"periodStart", static_cast<qint64>(item.periodStart)},
        {"periodEnd", static_cast<qint64>(item.periodEnd)},
        {"usePeriodStart", item.usePeriodStart},
        {"usePeriodEnd", item.usePeriodEnd},
        {"chartColour", static_cast<qint64>(item.chartColour)},
        {"alarmAboveEnabled", item.alarmAboveEnabled},
        {"alarmBelowEnabled", item.alarmBelowEnabled},
        {"alarmDiffEnabled", item.alarmDiffEnabled},
        {"alarmAbove", Cli::jsonNumber(item.alarmAbove)},
        {"alarmBelow", Cli::jsonNumber(item.alarmBelow)},
        {"alarmDiffPercent", Cli::jsonNumber(item.alarmDiffPercent)},
        {"quantity", Cli::jsonNumber(item.quantity)},
        {"avgBuyPrice", Cli::jsonNumber(item.avgBuyPrice)},
        {"quotations", quotations},
        {"isInvestedAmountHistory", item.isInvestedAmountHistory},
    };
}

int runDumpCommand(const QStringList& args)
{
    QCommandLineParser parser;
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("dump: wrong number of arguments.", kUsage);
    PortfolioDocument doc;
    if (!PortfolioCli::open(doc, Cli::positionals(parser).at(0)))
        return Cli::FileError;
    QJsonArray items;
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        items.append(itemJson(doc.item(pos)));
    Cli::printJson(QJsonObject{{"items", items}});
    return Cli::Success;
}

} // namespace

const CliCommand kDumpCommand = {"dump", kUsage, kSummary, runDumpCommand, CliCommand::NoServers};
