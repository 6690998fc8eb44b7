#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/servers/ServerPresets.h"

#include <QCoreApplication>
#include <clocale>
#include <functional>
#include <map>

namespace {

const char* const kHelp =
    "tickora-cli: the Tickora portfolio tools without a window.\n"
    "\n"
    "Usage: tickora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  servers list                       List the stored quotation servers.\n"
    "  servers show NAME [--json]         Show a server's rules.\n"
    "  servers set NAME [rule options]    Create or change a server.\n"
    "  servers delete NAME                Delete a server.\n"
    "  servers export OUT.reg             Write every server to a REGEDIT4 file.\n"
    "  servers install-presets            Install the built-in servers unless they are current.\n"
    "  extract PAGE [rule options] [--server NAME] [--name N] [--symbol S]\n"
    "          [--reference \"YYYY-MM-DD HH:MM\"] [--json]\n"
    "                                     Find the quotation (and its date/time) in a saved page.\n"
    "  import SOURCE [--format P] [--separators S] [--case-sensitive] [--symbol S] [--json]\n"
    "         [--into FILE --item NAME]   Read a quotation history from a text file; list it, or merge\n"
    "                                     it into an item of a portfolio and save.\n"
    "  wizard PAGE --quote TEXT [--mode 0|1|2] [--name N] [--symbol S] [--json]\n"
    "                                     Propose start-text rules that find TEXT in a saved page.\n"
    "  options [--json] [NAME=VALUE ...]  Show or change the general options.\n"
    "  export FILE OUT                    Write all quotations to OUT (a worksheet when OUT\n"
    "                                     contains \".xls\", text otherwise).\n"
    "  new FILE                           Create a portfolio.\n"
    "  add FILE --name N [--symbol S] [--note T] [--server NAME | rule options]\n"
    "                                     Append an item.\n"
    "  show FILE [--percent|--nominal] [--now \"YYYY-MM-DD HH:MM\"] [--json]\n"
    "                                     List the items' figures and the amount invested.\n"
    "  dump FILE                          Every stored field of every item as JSON.\n"
    "  convert IN OUT                     Rewrite a portfolio of any version as version 8.\n"
    "  quote FILE ITEM VALUE [--time \"YYYY-MM-DD HH:MM\"]\n"
    "                                     Add a quotation by hand (default today 20:00).\n"
    "  buy|sell FILE ITEM QTY PRICE [COMMISSION]\n"
    "  dividend FILE ITEM AMOUNT          Book an investment transaction.\n"
    "  update FILE [--items NAME,...] [--date \"YYYY-MM-DD HH:MM\"] [--downloads N] [--quiet]\n"
    "                                     Download the quotations, store them and save.\n"
    "  test FILE ITEM | test --server NAME --symbol S [--name N]\n"
    "                                     Show what a test update finds; nothing is stored.\n"
    "\n"
    "Rule options: --url U --timeout N --format 0|1|2 --separators S --start TEXT --tags N\n"
    "  --numbers N --case-sensitive|--case-insensitive --regex P|--standard --quote-index N\n"
    "  --date D,M,Y|--no-date --time H,M|--no-time\n"
    "\n"
    "Exit codes: 0 success, 1 the outcome failed, 2 usage error, 3 file error.";

using Command = std::function<int(const QStringList&)>;

const std::map<QString, Command>& commands()
{
    static const std::map<QString, Command> table = {
        {"servers", runServersCommand}, {"extract", runExtractCommand}, {"import", runImportCommand},
        {"wizard", runWizardCommand},   {"options", runOptionsCommand}, {"export", runExportCommand},
        {"new", runNewCommand},         {"add", runAddCommand},         {"show", runShowCommand},
        {"dump", runDumpCommand},       {"convert", runConvertCommand}, {"quote", runQuoteCommand},
        {"buy", runBuyCommand},         {"sell", runSellCommand},       {"dividend", runDividendCommand},
        {"update", runUpdateCommand},   {"test", runTestCommand},
    };
    return table;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return Cli::usageError("no command given.", kHelp);
    const QString name = args.takeFirst();
    if (name == "--help" || name == "-h" || name == "help") {
        Cli::out(kHelp);
        return Cli::Success;
    }
    const auto found = commands().find(name);
    if (found == commands().end())
        return Cli::usageError("unknown command '" + name.toStdString() + "'.", kHelp);
    // As the program does at start-up.
    ServerPresets::InstallServerPresets();
    return found->second(args);
}
