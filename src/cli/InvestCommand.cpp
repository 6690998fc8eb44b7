// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/FormatText.h"
#include "core/model/Position.h"

#include <functional>
#include <initializer_list>
#include <limits>

namespace {

const char* const kBuyUsage = "Usage: tickora-cli buy FILE ITEM QTY PRICE [COMMISSION]";
const char* const kBuySummary = "  buy|sell FILE ITEM QTY PRICE [COMMISSION]\n";
const char* const kSellUsage = "Usage: tickora-cli sell FILE ITEM QTY PRICE [COMMISSION]";
// Shares the line of buy.
const char* const kSellSummary = "";
const char* const kDividendUsage = "Usage: tickora-cli dividend FILE ITEM AMOUNT";
const char* const kDividendSummary = "  dividend FILE ITEM AMOUNT          Book an investment transaction.\n";
constexpr double kAny = std::numeric_limits<double>::max();

// Changes the item's investment, or refuses to.
using Transaction = std::function<Status(Position&)>;

void printPosition(const Position& position)
{
    Cli::out(formatText("Quantity of items invested: %.15g", position.quantity));
    Cli::out(formatText("Average item's buy price: %.15g", position.avgBuyPrice));
}

// The number at `index`, 0 when the argument is left out.
Result<double> optionalNumber(const QStringList& positional, qsizetype index, double min, double max)
{
    return positional.size() > index ? PortfolioCli::parseNumber(positional.at(index), min, max) : Result<double>(0.0);
}

// The refusal of the first number that was not read, in argument order.
Status firstRefusal(std::initializer_list<const Result<double>*> numbers)
{
    for (const Result<double>* number : numbers) {
        if (!*number)
            return number->status();
    }
    return Status::ok();
}

// Opens the file, applies the transaction to the item's investment and saves.
int book(const QStringList& positional, const char* usage, const Transaction& transaction)
{
    PortfolioDocument doc;
    int exitCode = Cli::Success;
    const int pos = PortfolioCli::openItem(doc, positional.at(0), positional.at(1).toStdString(), usage, exitCode);
    if (pos < 0)
        return exitCode;
    PortfolioItem item = doc.item(pos);
    Position position{item.quantity, item.avgBuyPrice};
    if (const Status booked = transaction(position); !booked) {
        Cli::err(booked.message());
        return Cli::Failed;
    }
    item.quantity = position.quantity;
    item.avgBuyPrice = position.avgBuyPrice;
    doc.updateItem(pos, item);
    printPosition(position);
    return PortfolioCli::save(doc, positional.at(0)) ? Cli::Success : Cli::FileError;
}

bool parseArguments(const QStringList& args, const char* usage, qsizetype minCount, qsizetype maxCount,
                    QStringList& positional, int& exitCode)
{
    QCommandLineParser parser;
    if (!Cli::parse(parser, args, usage)) {
        exitCode = Cli::UsageError;
        return false;
    }
    positional = Cli::positionals(parser);
    if (positional.size() < minCount || positional.size() > maxCount) {
        exitCode = Cli::usageError("wrong number of arguments.", usage);
        return false;
    }
    return true;
}

int runBuyCommand(const QStringList& args)
{
    QStringList positional;
    int exitCode = 0;
    if (!parseArguments(args, kBuyUsage, 4, 5, positional, exitCode))
        return exitCode;
    const Result<double> quantity = PortfolioCli::parseNumber(positional.at(2), 0.01, 1000000);
    const Result<double> price = PortfolioCli::parseNumber(positional.at(3), 0.0001, 1000000);
    const Result<double> commission = optionalNumber(positional, 4, 0, 1000000);
    if (const Status refused = firstRefusal({&quantity, &price, &commission}); !refused)
        return Cli::usageError(refused.message(), kBuyUsage);
    return book(positional, kBuyUsage, [&](Position& position) {
        position = position.afterBuying(*quantity, *price, *commission);
        return Status::ok();
    });
}

int runSellCommand(const QStringList& args)
{
    QStringList positional;
    int exitCode = 0;
    if (!parseArguments(args, kSellUsage, 4, 5, positional, exitCode))
        return exitCode;
    bool ok = false;
    const qulonglong quantity = positional.at(2).toULongLong(&ok);
    if (!ok)
        return Cli::usageError("Please enter a positive integer.", kSellUsage);
    const Result<double> price = PortfolioCli::parseNumber(positional.at(3), -kAny, kAny);
    const Result<double> commission = optionalNumber(positional, 4, -kAny, kAny);
    if (const Status refused = firstRefusal({&price, &commission}); !refused)
        return Cli::usageError(refused.message(), kSellUsage);
    return book(positional, kSellUsage, [&](Position& position) {
        Cli::out(sellResultText(position.sell(quantity, *price, *commission)));
        return Status::ok();
    });
}

int runDividendCommand(const QStringList& args)
{
    QStringList positional;
    int exitCode = 0;
    if (!parseArguments(args, kDividendUsage, 3, 3, positional, exitCode))
        return exitCode;
    const Result<double> amount = PortfolioCli::parseNumber(positional.at(2), -kAny, kAny);
    if (!amount)
        return Cli::usageError(amount.message(), kDividendUsage);
    return book(positional, kDividendUsage, [&](Position& position) { return position.payDividends(*amount); });
}

} // namespace

const CliCommand kBuyCommand = {"buy", kBuyUsage, kBuySummary, runBuyCommand};
const CliCommand kSellCommand = {"sell", kSellUsage, kSellSummary, runSellCommand};
const CliCommand kDividendCommand = {"dividend", kDividendUsage, kDividendSummary, runDividendCommand};
