#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/servers/ServerPresets.h"

#include <QGuiApplication>
#include <clocale>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    // Drawing measures fonts through a Gui application; it needs no display.
    const bool drawing = argc > 1 && std::strcmp(argv[1], "chart") == 0;
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes about a missing desktop session are no concern of a drawing command.
    if (drawing)
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const std::unique_ptr<QCoreApplication> app(drawing ? new QGuiApplication(argc, argv)
                                                        : new QCoreApplication(argc, argv));
    std::setlocale(LC_ALL, "");
    QStringList args = QCoreApplication::arguments().mid(1);
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
    ServerPresets::InstallServerPresets();
    return command->run(args);
}
