// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/servers/ServerPresets.h"

#include <QCoreApplication>
#include <clocale>

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    QStringList args = Cli::arguments(argc, argv);
    const char* overview = cliOverview().c_str();
    if (args.isEmpty())
        return Cli::usageError("no command given.", overview);
    const QString name = args.takeFirst();
    if (name == "--help" || name == "-h" || name == "help") {
        Cli::out(overview);
        return Cli::Success;
    }
    if (name == "--version") {
        Cli::out(std::string("tickora-cli ") + TICKORA_VERSION);
        return Cli::Success;
    }
    const CliCommand* command = findCliCommand(name);
    if (!command)
        return Cli::usageError("unknown command '" + name.toStdString() + "'.", overview);
    if (!args.isEmpty() && (args[0] == "--help" || args[0] == "-h")) {
        Cli::out(command->usage);
        return Cli::Success;
    }
    // As the program does at start-up.
    ServerPresets::installServerPresets();
    return command->run(args);
}
