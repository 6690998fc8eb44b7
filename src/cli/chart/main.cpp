// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/chart/ChartDrawing.h"
#include "cli/chart/PrintDrawing.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <clocale>
#include <optional>

// tickora-cli hands its chart and print commands over to this program, so only drawing pays for loading Qt Gui.
// The first argument names the command, the rest are its own.
int main(int argc, char** argv)
{
    // Drawing measures fonts through a Gui application; it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session the platform would make a shared $TMPDIR/runtime-USER and leave it; ours is private
    // (QTemporaryDir makes it 0700) and goes with the program.
    std::optional<QTemporaryDir> runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtime.emplace(QDir::tempPath() + "/tickora-chart-XXXXXX");
        if (runtime->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    }
    // The platform's notes about a missing desktop session are no concern of a drawing command.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QGuiApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("chart"))
        return ChartDrawing::run(args.mid(1));
    if (command == QLatin1String("print"))
        return PrintDrawing::run(args.mid(1));
    Cli::err("tickora-chart draws for \"tickora-cli chart\" and \"tickora-cli print\"; run those instead.");
    return Cli::UsageError;
}
