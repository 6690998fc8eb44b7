// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerPresets.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/SettingsKeys.h"
#include "gui/app/DesktopApplication.h"
#include "gui/app/FirstPaintExit.h"
#include "gui/app/HeadlessUpdate.h"
#include "gui/app/MainWindow.h"
#include "gui/app/PortfolioPreload.h"
#include "gui/app/StartOptions.h"
#include "gui/app/Translations.h"
#include "gui/download/UpdateController.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/DrawnIconStyle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::chrono::seconds kShutdownBound(2);

// `text` is marked with QT_TRANSLATE_NOOP("main", ...).
void printError(const char* text)
{
    std::fputs(QCoreApplication::translate("main", text).toLocal8Bit().constData(), stderr);
}

int runWithoutDisplay(int argc, char* argv[], const StartOptions& start)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(SettingsKeys::kOrganisationName));
    QCoreApplication::setApplicationName(QString::fromLatin1(SettingsKeys::kApplicationName));
    Translations::install(app);
    if (!start.unattended) {
        printError(QT_TRANSLATE_NOOP("main",
                                     "tickora needs a display (DISPLAY or WAYLAND_DISPLAY). Without one, run "
                                     "\"tickora -u FILE\" or \"tickora-cli update FILE\" to update a portfolio.\n"));
        return 2;
    }
    if (start.file.isEmpty()) {
        printError(QT_TRANSLATE_NOOP("main", "tickora -u: no portfolio file given.\n"));
        return 2;
    }
    const GeneralOptions options = GeneralOptions::readOptions();
    if (!ServerPresets::installServerPresets())
        printError(QT_TRANSLATE_NOOP("main", "The built-in quotation servers could not be stored.\n"));
    return runHeadlessUpdate(QDir::toNativeSeparators(start.file).toStdString(), options.NumberDownloads);
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before anything needs a display.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("tickora %s\n", TICKORA_VERSION);
        return 0;
    }
    std::setlocale(LC_ALL, "");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions start = StartOptions::parse(arguments);
    if (!StartOptions::hasDisplay())
        return runWithoutDisplay(argc, argv, start);

    QApplication app(argc, argv);
    QApplication::setStyle(new DrawnIconStyle);
    std::setlocale(LC_ALL, "");
    // Started once the locale is settled: nothing may change it while the file is read.
    PortfolioPreload preload(start.file);
    DesktopApplication tickora(start, &preload);
    if (!tickora.initInstance())
        return tickora.exitCode();
    QObject::connect(&tickora, &DesktopApplication::finished, &app, [&] { app.exit(tickora.exitCode()); });
    if (FirstPaintExit::isRequested() && tickora.mainFrame())
        new FirstPaintExit(tickora.mainFrame()->listView()->viewport());
    const int code = app.exec();
    // A download blocked in the system (a hung network mount) must not keep the program alive unseen.
    if (tickora.mainFrame() && !tickora.mainFrame()->updates()->shutdown(kShutdownBound)) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
