// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/base/LocaleFormat.h"
#include "core/model/PortfolioBackups.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <iostream>

namespace {

const char* const kUsage =
    "Usage: tickora-cli backups FILE [--json]\n"
    "  Lists the backups that saves kept of the portfolio, newest first: \"last\" (FILE.bak, the version the last\n"
    "  save replaced) and one per day (FILE.YYYY-MM-DD.bak, kept for BackupDays days), each with its time, items\n"
    "  and quotations separated by tabs; \"unreadable\" stands for the counts of a damaged backup.";
const char* const kSummary = "  backups FILE [--json]              List the backups kept of a portfolio.\n";

QJsonObject backupJson(const PortfolioBackups::Entry& entry)
{
    QJsonObject object{
        {"name", QString::fromStdString(entry.backup.name)},
        {"time", qint64(entry.backup.modified)},
        {"items", entry.readable ? QJsonValue(entry.items) : QJsonValue()},
        {"quotations", entry.readable ? QJsonValue(entry.quotations) : QJsonValue()},
    };
    if (!entry.readable)
        object.insert("unreadable", true);
    return object;
}

std::string backupLine(const PortfolioBackups::Entry& entry)
{
    const std::string line =
        entry.backup.name + '\t' + LocaleFormat::localTime(entry.backup.modified, "%Y-%m-%d %H:%M") + '\t';
    if (!entry.readable)
        return line + "unreadable";
    return line + std::to_string(entry.items) + " items\t" + std::to_string(entry.quotations) + " quotations";
}

int runBackupsCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"json", "Print JSON."});
    parser.addPositionalArgument("FILE", "The portfolio.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("backups takes exactly one FILE.", kUsage);
    const Result<std::vector<PortfolioBackups::Entry>> backups =
        PortfolioBackups::list(Cli::positionals(parser).first().toStdString());
    if (!backups) {
        Cli::err(backups.message());
        return Cli::FileError;
    }
    if (!parser.isSet("json")) {
        for (const PortfolioBackups::Entry& entry : *backups)
            Cli::out(backupLine(entry));
        return Cli::Success;
    }
    QJsonArray list;
    for (const PortfolioBackups::Entry& entry : *backups)
        list.append(backupJson(entry));
    std::cout << QJsonDocument(list).toJson(QJsonDocument::Compact).toStdString() << '\n';
    return Cli::Success;
}

} // namespace

const CliCommand kBackupsCommand = {"backups", kUsage, kSummary, runBackupsCommand};
