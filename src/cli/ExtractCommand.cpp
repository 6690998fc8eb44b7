#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/RuleOptions.h"
#include "extract/PageText.h"
#include "extract/QuotationExtractor.h"
#include "servers/ServerStore.h"

#include <QJsonObject>
#include <ctime>

namespace {

const char* const kUsage =
    "Usage: tickora-cli extract PAGE [rule options] [--server NAME] [--name N] [--symbol S] [--json]";

int report(const ExtractResult& result, bool json)
{
    if (json) {
        QJsonObject object{{"status", result.status},
                           {"value", Cli::jsonNumber(result.value)},
                           {"excerpt", QString::fromStdString(result.excerpt)}};
        Cli::printJson(object);
    } else if (result.status == QuotationFound) {
        Cli::out(Cli::format("Value: %.4f", result.value));
    } else {
        Cli::out(Cli::singleLine(result.statusText()));
    }
    return result.status == QuotationFound ? Cli::Success : Cli::Failed;
}

} // namespace

int runExtractCommand(const QStringList& args)
{
    QCommandLineParser parser;
    RuleOptions::addTo(parser);
    parser.addOptions({{"server", "Start from this stored server's rules.", "NAME"},
                       {"name", "Item name for [&name].", "N"},
                       {"symbol", "Item symbol for [&symbol].", "S"},
                       {"json", "Print JSON."}});
    parser.addPositionalArgument("PAGE", "A saved page.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (parser.positionalArguments().size() != 1)
        return Cli::usageError("extract takes exactly one PAGE.", kUsage);

    ServerConfig rules = ServerConfig::newServerDefaults();
    if (parser.isSet("server")) {
        const std::string server = parser.value("server").toStdString();
        if (!ServerStore::ServerExists(server)) {
            Cli::err(ServerStore::MissingServerMessage(server));
            return Cli::UsageError;
        }
        ServerStore::ReadServerConfig(server, rules);
    }
    std::string error;
    if (!RuleOptions::apply(parser, rules, error))
        return Cli::usageError(error, kUsage);
    if (!QuotationExtractor::WithItemVariables(rules, parser.value("name").toStdString(),
                                               parser.value("symbol").toStdString(), &error)) {
        Cli::err(error);
        return Cli::Failed;
    }

    const std::string path = parser.positionalArguments().first().toStdString();
    std::string page;
    if (!PageText::readFile(path, page)) {
        Cli::err("Cannot read the page \"" + path + "\".");
        return Cli::FileError;
    }
    return report(QuotationExtractor::ExtractFromRawPage(rules, std::move(page), std::time(nullptr)),
                  parser.isSet("json"));
}
