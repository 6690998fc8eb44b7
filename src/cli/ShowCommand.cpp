#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/model/ItemFigures.h"
#include "core/model/PortfolioTotals.h"

#include <QJsonArray>
#include <QJsonObject>

#include <ctime>

namespace {

const char* const kUsage = "Usage: tickora-cli show FILE [--percent|--nominal] [--now \"YYYY-MM-DD HH:MM\"] [--json]";
const char* const kSummary = "  show FILE [--percent|--nominal] [--now \"YYYY-MM-DD HH:MM\"] [--json]\n"
                             "                                     List the items' figures and the amount invested.\n";

QJsonObject itemJson(const CWPapier& item, bool percent)
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

std::string itemLine(const CWPapier& item, bool percent, time_t now)
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

    CWPapierDoc doc;
    if (!PortfolioCli::open(doc, Cli::positionals(parser).at(0)))
        return Cli::FileError;
    const std::string status = Cli::singleLine(PortfolioTotals::of(doc).statusText(percent));
    if (parser.isSet("json")) {
        QJsonArray items;
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            items.append(itemJson(doc.item(pos), percent));
        Cli::printJson(QJsonObject{{"items", items}, {"status", QString::fromStdString(status)}});
        return Cli::Success;
    }
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        Cli::out(itemLine(doc.item(pos), percent, now));
    Cli::out(status);
    return Cli::Success;
}

} // namespace

const CliCommand kShowCommand = {"show", kUsage, kSummary, runShowCommand};
