#pragma once

#include <QStringList>

// One entry point per tickora-cli command; `args` are the arguments after the command name.
int runServersCommand(const QStringList& args);
int runExtractCommand(const QStringList& args);
int runImportCommand(const QStringList& args);
int runWizardCommand(const QStringList& args);
int runOptionsCommand(const QStringList& args);
