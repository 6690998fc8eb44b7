// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chart/ChartDrawing.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <clocale>
#include <optional>

// tickora-cli hands its chart command over to this program, so only drawing pays for loading Qt Gui.
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
    return ChartDrawing::run(QCoreApplication::arguments().mid(1));
}
