// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// One tickora-cli command, defined in its own file.
struct CliCommand {
    const char* name;
    // Printed by "tickora-cli NAME --help" and after a usage error; its first line is the README's.
    const char* usage;
    // The command's lines in the overview of "tickora-cli --help".
    const char* summary;
    // `args` are the arguments after the command name.
    int (*run)(const QStringList& args);
    // Commands that only read or write portfolio files never look at the servers, so they are spared
    // installing the built-in ones (and reading the settings for it).
    enum ServerUse { UsesServers, NoServers };
    ServerUse servers = UsesServers;
};

extern const CliCommand kServersCommand;
extern const CliCommand kExtractCommand;
extern const CliCommand kImportCommand;
extern const CliCommand kWizardCommand;
extern const CliCommand kOptionsCommand;
extern const CliCommand kExportCommand;
extern const CliCommand kNewCommand;
extern const CliCommand kAddCommand;
extern const CliCommand kShowCommand;
extern const CliCommand kDumpCommand;
extern const CliCommand kConvertCommand;
extern const CliCommand kQuoteCommand;
extern const CliCommand kBuyCommand;
extern const CliCommand kSellCommand;
extern const CliCommand kDividendCommand;
extern const CliCommand kUpdateCommand;
extern const CliCommand kTestCommand;
extern const CliCommand kHistoryCommand;
extern const CliCommand kChartCommand;
extern const CliCommand kPrintCommand;
extern const CliCommand kHealthCommand;
extern const CliCommand kRepairCommand;
extern const CliCommand kBackupsCommand;
extern const CliCommand kRestoreCommand;

// Every command in the order of the overview.
const std::vector<const CliCommand*>& cliCommands();
const CliCommand* findCliCommand(const QString& name);
// What "tickora-cli --help" prints and a usage error of the program shows.
const std::string& cliOverview();
