// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commands.h"

namespace {

const char* const kHeader = "tickora-cli: the Tickora portfolio tools without a window.\n"
                            "\n"
                            "Usage: tickora-cli COMMAND [ARGUMENTS]\n"
                            "\n"
                            "Commands:\n";

const char* const kFooter =
    "\n"
    "Rule options: --url U --timeout N --format 0|1|2 --separators S --start TEXT --tags N\n"
    "  --numbers N --case-sensitive|--case-insensitive --regex P|--standard --quote-index N\n"
    "  --date D,M,Y|--no-date --time H,M|--no-time --json-path P [--json-date P] [--json-time P]\n"
    "  --xpath EXPR [--xpath-date EXPR] [--xpath-time EXPR]\n"
    "\n"
    "Exit codes: 0 success, 1 the outcome failed, 2 usage error, 3 file error.";

} // namespace

const std::vector<const CliCommand*>& cliCommands()
{
    static const std::vector<const CliCommand*> table = {
        &kServersCommand, &kExtractCommand, &kImportCommand,   &kWizardCommand, &kOptionsCommand, &kExportCommand,
        &kNewCommand,     &kAddCommand,     &kShowCommand,     &kDumpCommand,   &kConvertCommand, &kQuoteCommand,
        &kBuyCommand,     &kSellCommand,    &kDividendCommand, &kUpdateCommand, &kTestCommand,    &kHistoryCommand,
        &kChartCommand,   &kPrintCommand,   &kHealthCommand,   &kRepairCommand, &kBackupsCommand, &kRestoreCommand,
    };
    return table;
}

const CliCommand* findCliCommand(const QString& name)
{
    for (const CliCommand* command : cliCommands()) {
        if (name == QLatin1String(command->name))
            return command;
    }
    return nullptr;
}

const std::string& cliOverview()
{
    static const std::string text = [] {
        std::string overview = kHeader;
        for (const CliCommand* command : cliCommands())
            overview += command->summary;
        return overview + kFooter;
    }();
    return text;
}
