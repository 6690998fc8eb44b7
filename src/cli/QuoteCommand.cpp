// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/LocalTime.h"

#include <ctime>

namespace {

const char* const kUsage = "Usage: tickora-cli quote FILE ITEM VALUE [--time \"YYYY-MM-DD HH:MM\"]";
const char* const kSummary = "  quote FILE ITEM VALUE [--time \"YYYY-MM-DD HH:MM\"]\n"
                             "                                     Add a quotation by hand (default today 20:00).\n";

// Today at 20:00 local time, the manual update's default.
time_t todayEvening()
{
    const time_t now = std::time(nullptr);
    std::tm parts = localCalendarTime(now).value_or(std::tm{});
    parts.tm_hour = 20;
    parts.tm_min = 0;
    parts.tm_sec = 0;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

int runQuoteCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"time", "Time of the quotation (default today 20:00).", "YYYY-MM-DD HH:MM"});
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    const QStringList positional = Cli::positionals(parser);
    if (positional.size() != 3)
        return Cli::usageError("quote: wrong number of arguments.", kUsage);
    time_t time = todayEvening();
    if (parser.isSet("time") && !PortfolioCli::parseTime(parser.value("time"), time))
        return Cli::usageError("quote: --time takes \"YYYY-MM-DD HH:MM\".", kUsage);
    if (!isStorableTime(time))
        return Cli::usageError(kUnstorableTimeText, kUsage);
    const Result<double> value = PortfolioCli::parseNumber(positional.at(2), kMinQuotationValue, kMaxQuotationValue);
    if (!value)
        return Cli::usageError(value.message(), kUsage);

    PortfolioDocument doc;
    int exitCode = Cli::Success;
    const int pos = PortfolioCli::openItem(doc, positional.at(0), positional.at(1).toStdString(), kUsage, exitCode);
    if (pos < 0)
        return exitCode;
    doc.addItemQuotation(pos, *value, time);
    return PortfolioCli::save(doc, positional.at(0)) ? Cli::Success : Cli::FileError;
}

} // namespace

const CliCommand kQuoteCommand = {"quote", kUsage, kSummary, runQuoteCommand};
