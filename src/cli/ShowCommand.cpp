// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/model/ItemFigures.h"
#include "core/model/PortfolioFile.h"
#include "core/model/PortfolioTotals.h"

#include <QJsonArray>
#include <QJsonObject>

#include <ctime>

namespace {

const char* const kUsage = "Usage: tickora-cli show FILE [--percent|--nominal] [--now \"YYYY-MM-DD HH:MM\"] [--json]";
const char* const kSummary = "  show FILE [--percent|--nominal] [--now \"YYYY-MM-DD HH:MM\"] [--json]\n"
                             "                                     List the items' figures and the amount invested.\n";

QJsonObject itemJson(const PortfolioItem& item, bool percent)
{
    const ItemFigures f = ItemFigures::of(item, percent);
    return QJsonObject{
        {"name", QString::fromStdString(item.name)},
        {"lastTime", f.hasQuotations ? QJsonValue(static_cast<qint64>(f.lastTime)) : QJsonValue()},
        {"value", Cli::jsonNumber(f.value)},
        {"low", Cli::jsonNumber(f.low)},
        {"high", Cli::jsonNumber(f.high)},
        {"lastDayChange", Cli::jsonNumber(f.lastDayChange)},
        {"lastDayDays", f.lastDayDays},
        {"lastChange", Cli::jsonNumber(f.lastChange)},
        {"lastDays", f.lastDays},
        {"totalChange", Cli::jsonNumber(f.totalChange)},
        {"totalDays", f.totalDays},
        {"invested", Cli::jsonNumber(f.invested)},
        {"gain", f.hasGain ? Cli::jsonNumber(f.gain) : QJsonValue()},
    };
}

std::string itemLine(const PortfolioItem& item, bool percent, time_t now)
{
    const auto cells = ItemFigures::cells(item, percent, now);
    std::string line = Cli::singleLine(cells[0]);
    for (size_t column = 1; column < cells.size(); ++column)
        line += '\t' + Cli::singleLine(cells[column]);
    return line;
}

int runShowCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({
        {"percent", "Changes in percent (the default)."},
        {"nominal", "Changes as nominal differences."},
        {"now", "The current time that \"Last Update\" is measured from.", "YYYY-MM-DD HH:MM"},
        {"json", "Print JSON."},
    });
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("show: wrong number of arguments.", kUsage);
    if (parser.isSet("percent") && parser.isSet("nominal"))
        return Cli::usageError("show: --percent and --nominal exclude each other.", kUsage);
    time_t now = std::time(nullptr);
    if (parser.isSet("now") && !PortfolioCli::parseTime(parser.value("now"), now))
        return Cli::usageError("show: --now takes \"YYYY-MM-DD HH:MM\".", kUsage);
    const bool percent = !parser.isSet("nominal");

    // Figured item by item as the file is read: the listing needs no item's quotations once its line is made.
    PortfolioTotals::Sum sum;
    QJsonArray items;
    std::vector<std::string> lines;
    const bool json = parser.isSet("json");
    const Status read = PortfolioFile::scan(Cli::filePath(Cli::positionals(parser).at(0)), [&](PortfolioItem& item) {
        sum.add(item);
        if (json)
            items.append(itemJson(item, percent));
        else
            lines.push_back(itemLine(item, percent, now));
    });
    if (!read) {
        Cli::err(read.message());
        return Cli::FileError;
    }
    const std::string status = Cli::singleLine(sum.totals().statusText(percent));
    if (json) {
        Cli::printJson(QJsonObject{{"items", items}, {"status", QString::fromStdString(status)}});
        return Cli::Success;
    }
    for (const std::string& line : lines)
        Cli::out(line);
    Cli::out(status);
    return Cli::Success;
}

} // namespace

const CliCommand kShowCommand = {"show", kUsage, kSummary, runShowCommand, CliCommand::NoServers};
