// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <cstring>

namespace {

constexpr const char* kChildSwitch = "--placement-child";
const QString kStored = QStringLiteral("188,117,1092,667");

// The program's window on a real X server: shown, framed by the window manager, then closed.
int runChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    MainWindow frame(GeneralOptions::readOptions(), false);
    frame.show();
    QElapsedTimer framed;
    framed.start();
    // The window manager frames the window and the frame is fitted to the stored rectangle.
    while (framed.elapsed() < 5000 && frame.frameGeometry() == frame.geometry())
        QTest::qWait(20);
    QTest::qWait(700);
    frame.close();
    return 0;
}

} // namespace

class TestWindowPlacement : public QObject {
    Q_OBJECT
private slots:
    void storedFrameStaysPutOverThreeStarts()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        QVERIFY2(!xvfb.isEmpty() && !openbox.isEmpty(), "scripts/install-deps installs xvfb and openbox");
        int display = 90;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)) && display < 140)
            ++display;
        const QString name = QStringLiteral(":%1").arg(display);
        QProcess server;
        server.start(xvfb, {name, "-screen", "0", "1600x1200x24", "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)), 10000);
        QProcess manager;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", name);
        environment.insert("QT_QPA_PLATFORM", "xcb");
        manager.setProcessEnvironment(environment);
        manager.start(openbox, {"--sm-disable"});
        QVERIFY(manager.waitForStarted());
        QTest::qWait(1000);

        TestEnvironment env;
        SettingsStore::open()->setValue("MainWindow/Dimensions", kStored);
        environment.insert("TICKORA_SETTINGS", QString::fromStdString(env.settingsPath()));
        for (int start = 1; start <= 3; ++start) {
            QProcess child;
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), {kChildSwitch});
            QVERIFY(child.waitForFinished(30000));
            QCOMPARE(child.exitCode(), 0);
            QCOMPARE(SettingsStore::open()->value("MainWindow/Dimensions").toString(), kStored);
        }
        manager.terminate();
        manager.waitForFinished(5000);
        server.terminate();
        server.waitForFinished(5000);
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], kChildSwitch) == 0)
        return runChild(argc, argv);
    QApplication app(argc, argv);
    TestWindowPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowPlacementTest.moc"
