#pragma once

#include <QStringList>

// One entry point per tickora-cli command; `args` are the arguments after the command name.
int runServersCommand(const QStringList& args);
int runExtractCommand(const QStringList& args);
int runImportCommand(const QStringList& args);
int runWizardCommand(const QStringList& args);
int runOptionsCommand(const QStringList& args);
int runExportCommand(const QStringList& args);
int runNewCommand(const QStringList& args);
int runAddCommand(const QStringList& args);
int runShowCommand(const QStringList& args);
int runDumpCommand(const QStringList& args);
int runConvertCommand(const QStringList& args);
int runQuoteCommand(const QStringList& args);
int runBuyCommand(const QStringList& args);
int runSellCommand(const QStringList& args);
int runDividendCommand(const QStringList& args);
int runUpdateCommand(const QStringList& args);
int runTestCommand(const QStringList& args);
