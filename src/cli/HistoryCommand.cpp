// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/FormatText.h"
#include "core/base/LocaleFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <iostream>

namespace {

const char* const kUsage = "Usage: tickora-cli history FILE ITEM list [--json]\n"
                           "       tickora-cli history FILE ITEM delete (--time \"YYYY-MM-DD HH:MM\" | --all)\n"
                           "       tickora-cli history FILE ITEM split FACTOR [--until \"YYYY-MM-DD HH:MM\"]\n"
                           "       tickora-cli history FILE ITEM invert\n"
                           "       tickora-cli history FILE ITEM multiply OTHER_ITEM";
const char* const kSummary = "  history FILE ITEM list [--json]    An item's quotations, newest first.\n"
                             "  history FILE ITEM delete (--time \"YYYY-MM-DD HH:MM\" | --all)\n"
                             "  history FILE ITEM split FACTOR [--until \"YYYY-MM-DD HH:MM\"]\n"
                             "  history FILE ITEM invert\n"
                             "  history FILE ITEM multiply OTHER_ITEM\n"
                             "                                     Change an item's quotation history and save.\n";
constexpr double kMinFactor = 0.1;
constexpr double kMaxFactor = 1000;
constexpr time_t kMinute = 60;

// The positional arguments each action takes after FILE ITEM ACTION.
int extraArguments(const QString& action)
{
    if (action == "list" || action == "delete" || action == "invert")
        return 0;
    if (action == "split" || action == "multiply")
        return 1;
    return -1;
}

void list(const PortfolioItem& item, bool json)
{
    const std::vector<Quotation>& history = item.quotations;
    if (json) {
        QJsonArray records;
        for (auto record = history.rbegin(); record != history.rend(); ++record)
            records.append(
                QJsonObject{{"time", static_cast<qint64>(record->time)}, {"value", Cli::jsonNumber(record->value)}});
        std::cout << QJsonDocument(records).toJson(QJsonDocument::Compact).toStdString() << '\n';
        return;
    }
    for (auto record = history.rbegin(); record != history.rend(); ++record)
        Cli::out(LocaleFormat::localTime(record->time, "%Y-%m-%d %H:%M") + '\t' +
                 LocaleFormat::number("%.4f", record->value));
}

std::string deletedText(int count)
{
    return count == 1 ? std::string("Deleted 1 quotation.") : formatText("Deleted %d quotations.", count);
}

// Deletes every quotation within the given minute; the list shows no seconds.
int deleteAt(PortfolioDocument& doc, int pos, time_t time)
{
    int deleted = 0;
    const std::vector<Quotation>& history = doc.item(pos).quotations;
    for (int index = static_cast<int>(history.size()) - 1; index >= 0; --index) {
        const time_t at = history[static_cast<size_t>(index)].time;
        if (at >= time && at < time + kMinute && doc.deleteQuotation(pos, index))
            ++deleted;
    }
    return deleted;
}

// Index of the newest quotation at or before the minute `until`, -1 when there is none.
int newestUntil(const std::vector<Quotation>& history, time_t until)
{
    const auto after = std::upper_bound(history.begin(), history.end(), until + kMinute - 1,
                                        [](time_t time, const Quotation& record) { return time < record.time; });
    return static_cast<int>(after - history.begin()) - 1;
}

struct Request {
    QString path;
    std::string name;
    QString action;
    QString argument;
    const QCommandLineParser* parser = nullptr;
};

int remove(PortfolioDocument& doc, int pos, const Request& request)
{
    const QCommandLineParser& parser = *request.parser;
    if (parser.isSet("all") == parser.isSet("time"))
        return Cli::usageError("history delete takes either --time or --all.", kUsage);
    if (parser.isSet("all")) {
        const int count = static_cast<int>(doc.item(pos).quotations.size());
        doc.deleteAllQuotations(pos);
        Cli::out(deletedText(count));
        return Cli::Success;
    }
    time_t time = 0;
    if (!PortfolioCli::parseTime(parser.value("time"), time))
        return Cli::usageError("history: --time takes \"YYYY-MM-DD HH:MM\".", kUsage);
    const int count = deleteAt(doc, pos, time);
    if (count == 0) {
        Cli::err(formatText("No quotation at %s.", parser.value("time").toStdString().c_str()));
        return Cli::Failed;
    }
    Cli::out(deletedText(count));
    return Cli::Success;
}

int split(PortfolioDocument& doc, int pos, const Request& request)
{
    const QCommandLineParser& parser = *request.parser;
    const Result<double> factor = PortfolioCli::parseNumber(request.argument, kMinFactor, kMaxFactor);
    if (!factor)
        return Cli::usageError(factor.message(), kUsage);
    const std::vector<Quotation>& history = doc.item(pos).quotations;
    int index = static_cast<int>(history.size()) - 1;
    if (parser.isSet("until")) {
        time_t until = 0;
        if (!PortfolioCli::parseTime(parser.value("until"), until))
            return Cli::usageError("history: --until takes \"YYYY-MM-DD HH:MM\".", kUsage);
        index = newestUntil(history, until);
        if (index < 0) {
            Cli::err(formatText("No quotation at or before %s.", parser.value("until").toStdString().c_str()));
            return Cli::Failed;
        }
    }
    doc.splitQuotations(pos, index, *factor);
    Cli::out(formatText("Divided %d quotations by %s.", index + 1, request.argument.toStdString().c_str()));
    return Cli::Success;
}

int multiply(PortfolioDocument& doc, int pos, const Request& request)
{
    const std::string otherName = request.argument.toStdString();
    const int other = PortfolioCli::findItem(doc, otherName);
    if (other < 0)
        return Cli::usageError(PortfolioCli::itemMissingMessage(otherName), kUsage);
    if (other == pos || doc.item(other).isInvestedAmountHistory)
        return Cli::usageError("history multiply takes another item, not the invested-amount history.", kUsage);
    const std::vector<Quotation>& rates = doc.item(other).quotations;
    const std::vector<Quotation>& history = doc.item(pos).quotations;
    // Records older than the first rate keep their value.
    const auto count = rates.empty() ? 0 : std::count_if(history.begin(), history.end(), [&](const Quotation& record) {
        return record.time >= rates.front().time;
    });
    doc.multiplyQuotations(pos, other);
    Cli::out(formatText("Multiplied %d quotations by those of \"%s\".", static_cast<int>(count), otherName.c_str()));
    return Cli::Success;
}

int change(PortfolioDocument& doc, int pos, const Request& request)
{
    if (request.action == "delete")
        return remove(doc, pos, request);
    if (request.action == "split")
        return split(doc, pos, request);
    if (request.action == "multiply")
        return multiply(doc, pos, request);
    doc.invertQuotations(pos);
    Cli::out(formatText("Inverted %d quotations.", static_cast<int>(doc.item(pos).quotations.size())));
    return Cli::Success;
}

int runHistoryCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({
        {"json", "list: print JSON."},
        {"time", "delete: the quotation at this time.", "YYYY-MM-DD HH:MM"},
        {"all", "delete: every quotation."},
        {"until", "split: the newest quotation divided.", "YYYY-MM-DD HH:MM"},
    });
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    const QStringList positional = Cli::positionals(parser);
    if (positional.size() < 3)
        return Cli::usageError("history: wrong number of arguments.", kUsage);
    const Request request{positional.at(0), positional.at(1).toStdString(), positional.at(2), positional.value(3),
                          &parser};
    const int extra = extraArguments(request.action);
    if (extra < 0)
        return Cli::usageError("history: unknown action '" + request.action.toStdString() + "'.", kUsage);
    if (positional.size() != 3 + extra)
        return Cli::usageError("history: wrong number of arguments.", kUsage);

    PortfolioDocument doc;
    int exitCode = Cli::Success;
    const int pos = PortfolioCli::openItem(doc, request.path, request.name, kUsage, exitCode);
    if (pos < 0)
        return exitCode;
    if (request.action == "list") {
        list(doc.item(pos), parser.isSet("json"));
        return Cli::Success;
    }
    exitCode = change(doc, pos, request);
    if (exitCode != Cli::Success)
        return exitCode;
    return PortfolioCli::save(doc, request.path) ? Cli::Success : Cli::FileError;
}

} // namespace

const CliCommand kHistoryCommand = {"history", kUsage, kSummary, runHistoryCommand, CliCommand::NoServers};
