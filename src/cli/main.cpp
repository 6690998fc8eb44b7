// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/servers/ServerPresets.h"

#include <QCoreApplication>
#include <clocale>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// A command runs for moments: memory it frees is better kept for its next buffer than handed back and faulted
// in afresh, which cost an import a third of its system time.
void keepFreedMemory()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

// Unset, TZ makes the C library look at /etc/localtime again for every time it converts: a system call per
// line of an imported history. Named, the same zone is read once.
void readLocalTimeZoneOnce()
{
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
}

} // namespace

int main(int argc, char** argv)
{
    keepFreedMemory();
    readLocalTimeZoneOnce();
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
    if (command->servers == CliCommand::UsesServers)
        ServerPresets::installServerPresets();
    return command->run(args);
}
