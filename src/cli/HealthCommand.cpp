// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/LocaleFormat.h"
#include "core/settings/RuleHealth.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <iostream>

namespace {

const char* const kUsage =
    "Usage: tickora-cli health FILE [--json]\n"
    "  Prints for every item the last successful update (YYYY-MM-DD HH:MM, or never), the failed updates in a\n"
    "  row and the last failure, separated by tabs, and \"via F since YYYY-MM-DD HH:MM\" while the fallback server F\n"
    "  serves the item; exits with 1 when an item failed 3 or more times in a row.";
const char* const kSummary = "  health FILE [--json]               Show how the items' quotation rules fared lately.\n";

QJsonObject itemJson(const std::string& name, const RuleHealth& health)
{
    return QJsonObject{
        {"name", QString::fromStdString(name)},
        {"lastSuccess", health.LastSuccess > 0 ? QJsonValue(qint64(health.LastSuccess)) : QJsonValue()},
        {"failures", health.Failures},
        {"lastFailure", QString::fromStdString(health.LastFailure)},
        {"fallback", health.FallbackSince > 0 ? QJsonValue(QString::fromStdString(health.Fallback)) : QJsonValue()},
        {"fallbackSince", health.FallbackSince > 0 ? QJsonValue(qint64(health.FallbackSince)) : QJsonValue()},
    };
}

std::string itemLine(const std::string& name, const RuleHealth& health)
{
    const std::string success =
        health.LastSuccess > 0 ? LocaleFormat::localTime(time_t(health.LastSuccess), "%Y-%m-%d %H:%M") : "never";
    std::string line = Cli::singleLine(name) + '\t' + success + '\t' + std::to_string(health.Failures) + '\t' +
        Cli::singleLine(health.LastFailure);
    if (health.FallbackSince > 0)
        line += "\tvia " + Cli::singleLine(health.Fallback) + " since " +
            LocaleFormat::localTime(time_t(health.FallbackSince), "%Y-%m-%d %H:%M");
    return line;
}

int runHealthCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"json", "Print JSON."});
    parser.addPositionalArgument("FILE", "The portfolio.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("health takes exactly one FILE.", kUsage);
    const QString path = Cli::positionals(parser).first();
    PortfolioDocument doc;
    if (!PortfolioCli::open(doc, path))
        return Cli::FileError;
    const std::map<std::string, RuleHealth> recorded = RuleHealth::read(path.toStdString());
    const bool json = parser.isSet("json");
    QJsonArray items;
    bool failing = false;
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        const PortfolioItem& item = doc.item(pos);
        if (item.isInvestedAmountHistory)
            continue;
        const auto found = recorded.find(item.name);
        const RuleHealth health = found == recorded.end() ? RuleHealth() : found->second;
        failing = failing || health.failing();
        if (json)
            items.append(itemJson(item.name, health));
        else
            Cli::out(itemLine(item.name, health));
    }
    if (json)
        std::cout << QJsonDocument(items).toJson(QJsonDocument::Compact).toStdString() << '\n';
    return failing ? Cli::Failed : Cli::Success;
}

} // namespace

const CliCommand kHealthCommand = {"health", kUsage, kSummary, runHealthCommand};
