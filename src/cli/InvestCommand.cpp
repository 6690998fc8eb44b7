#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/FormatText.h"
#include "core/model/Investment.h"

#include <functional>
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

// Changes the item's investment; false with `error` when the change is refused.
using Transaction = std::function<Status(Investment::Position&)>;

void printPosition(const Investment::Position& position)
{
    Cli::out(formatText("Quantity of items invested: %.15g", position.quantity));
    Cli::out(formatText("Average item's buy price: %.15g", position.avgBuyPrice));
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
    Investment::Position position{item.quantity, item.avgBuyPrice};
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
    double quantity = 0, price = 0, commission = 0;
    std::string error;
    if (!PortfolioCli::parseNumber(positional.at(2), 0.01, 1000000, quantity, error) ||
        !PortfolioCli::parseNumber(positional.at(3), 0.0001, 1000000, price, error) ||
        (positional.size() == 5 && !PortfolioCli::parseNumber(positional.at(4), 0, 1000000, commission, error)))
        return Cli::usageError(error, kBuyUsage);
    return book(positional, kBuyUsage, [&](Investment::Position& position) {
        position = Investment::buy(position, quantity, price, commission);
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
    double price = 0, commission = 0;
    std::string error;
    if (!PortfolioCli::parseNumber(positional.at(3), -kAny, kAny, price, error) ||
        (positional.size() == 5 && !PortfolioCli::parseNumber(positional.at(4), -kAny, kAny, commission, error)))
        return Cli::usageError(error, kSellUsage);
    return book(positional, kSellUsage, [&](Investment::Position& position) {
        Cli::out(Investment::sellResultText(Investment::sell(position, quantity, price, commission)));
        return Status::ok();
    });
}

int runDividendCommand(const QStringList& args)
{
    QStringList positional;
    int exitCode = 0;
    if (!parseArguments(args, kDividendUsage, 3, 3, positional, exitCode))
        return exitCode;
    double amount = 0;
    std::string error;
    if (!PortfolioCli::parseNumber(positional.at(2), -kAny, kAny, amount, error))
        return Cli::usageError(error, kDividendUsage);
    return book(positional, kDividendUsage,
                [&](Investment::Position& position) { return Investment::payDividends(position, amount); });
}

} // namespace

const CliCommand kBuyCommand = {"buy", kBuyUsage, kBuySummary, runBuyCommand};
const CliCommand kSellCommand = {"sell", kSellUsage, kSellSummary, runSellCommand};
const CliCommand kDividendCommand = {"dividend", kDividendUsage, kDividendSummary, runDividendCommand};
