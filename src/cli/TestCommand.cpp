// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/download/EventQueue.h"
#include "core/download/UpdateScheduler.h"
#include "core/model/ItemRules.h"
#include "core/servers/ServerStore.h"

#include <chrono>

namespace {

const char* const kUsage = "Usage: tickora-cli test FILE ITEM\n"
                           "       tickora-cli test --server NAME --symbol S [--name N]";
const char* const kSummary = "  test FILE ITEM | test --server NAME --symbol S [--name N]\n"
                             "                                     Show what a test update finds; nothing is stored.\n";

int runTest(const std::string& name, const std::string& symbol, const ServerConfig& rules)
{
    PortfolioDocument doc;
    auto queue = std::make_shared<EventQueue>();
    UpdateScheduler scheduler(doc, queue);
    bool found = false;
    scheduler.setTestReportHandler([&found](const UpdateScheduler::TestReport& report) {
        found = report.icon == UpdateScheduler::TestReport::Information;
        std::string message = report.message;
        if (!message.empty() && message.back() == '\n')
            message.pop_back();
        Cli::out(message);
    });
    scheduler.startTest(name, symbol, rules);
    while (scheduler.testRunning()) {
        if (std::optional<DownloadEvent> event = queue->take(std::chrono::milliseconds(200)))
            scheduler.handleDownloadEvent(*event);
    }
    return found ? Cli::Success : Cli::Failed;
}

int runTestCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({{"server", "Test this stored server.", "NAME"},
                       {"symbol", "The symbol for [&symbol].", "S"},
                       {"name", "The item name for [&name] (default: the symbol).", "N"}});
    parser.addPositionalArgument("FILE ITEM", "A portfolio and the exact name of one of its items.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    const QStringList positional = Cli::positionals(parser);

    if (parser.isSet("server")) {
        if (!positional.isEmpty() || !parser.isSet("symbol"))
            return Cli::usageError("test --server takes --symbol and no FILE.", kUsage);
        const std::string server = parser.value("server").toStdString();
        if (!ServerStore::serverExists(server)) {
            Cli::err(ServerStore::missingServerMessage(server));
            return Cli::UsageError;
        }
        ServerConfig rules;
        ServerStore::readServerConfig(server, rules);
        const std::string symbol = parser.value("symbol").toStdString();
        return runTest(parser.isSet("name") ? parser.value("name").toStdString() : symbol, symbol, rules);
    }

    if (positional.size() != 2)
        return Cli::usageError("test takes FILE and ITEM, or --server and --symbol.", kUsage);
    PortfolioDocument doc;
    int exitCode = Cli::Success;
    const int pos = PortfolioCli::openItem(doc, positional[0], positional[1].toStdString(), kUsage, exitCode);
    if (pos < 0)
        return exitCode;
    const PortfolioItem& item = doc.item(pos);
    if (item.isInvestedAmountHistory) {
        Cli::err("The invested amount history has no quotation server to test.");
        return Cli::UsageError;
    }
    return runTest(item.name, item.symbol, resolveItemRules(item));
}

} // namespace

const CliCommand kTestCommand = {"test", kUsage, kSummary, runTestCommand};
