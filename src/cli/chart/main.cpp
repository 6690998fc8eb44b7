#include "cli/chart/ChartDrawing.h"

#include <QGuiApplication>
#include <clocale>

// tickora-cli hands its chart command over to this program, so only drawing pays for loading Qt Gui.
int main(int argc, char** argv)
{
    // Drawing measures fonts through a Gui application; it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes about a missing desktop session are no concern of a drawing command.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QGuiApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    return ChartDrawing::run(QCoreApplication::arguments().mid(1));
}
