// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "TestEnvironment.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/download/AutoUpdateTimer.h"
#include "gui/download/UpdateController.h"
#include "gui/widgets/FileDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QtTest>

namespace {

GeneralOptions windowOptions(int hour1, int minute1, int hour2, int minute2)
{
    GeneralOptions options;
    options.ShowFileOnError = 0;
    options.DownloadStatus = 0;
    options.Hour1 = hour1;
    options.Minute1 = minute1;
    options.Hour2 = hour2;
    options.Minute2 = minute2;
    return options;
}

// A frame whose portfolio holds two items on the local server's page.
struct UpdatingFrame {
    explicit UpdatingFrame(const GeneralOptions& options) : frame(options, false)
    {
        server.addPage("/q.html", "<p>AAA 10.5</p><p>BBB 20.5</p>");
        frame.document().addItem(pageItem("A", "AAA", server.url("/q.html")));
        frame.document().addItem(pageItem("B", "BBB", server.url("/q.html")));
        frame.listView()->fill();
        frame.refreshCommandStates();
    }

    // Whether the tick at `now` started "Update all"; waits until that update is over.
    bool tickStartsUpdate(time_t now)
    {
        const size_t before = server.requests().size();
        child<AutoUpdateTimer>(&frame, "autoUpdate")->tick(now);
        const bool started = frame.updates()->pendingUpdates() > 0;
        if (!QTest::qWaitFor([this] { return frame.updates()->pendingUpdates() == 0; }, 20000))
            throw std::runtime_error("the update did not end");
        if (started != (server.requests().size() > before))
            throw std::runtime_error("marks and requests disagree");
        return started;
    }

    HttpTestServer server;
    MainWindow frame;
};

} // namespace

class TestAutoUpdate : public GuiTestCase {
    Q_OBJECT
public:
    TestAutoUpdate() : GuiTestCase("Europe/Berlin") { }

private slots:
    void tickUpdatesOnlyInsideTheDailyWindow()
    {
        TestEnvironment env;
        UpdatingFrame f(windowOptions(9, 30, 18, 30));
        QVERIFY(!f.tickStartsUpdate(localTime(2024, 3, 4, 9, 29, 59)));
        QVERIFY(f.tickStartsUpdate(localTime(2024, 3, 4, 9, 30, 0)));
        QVERIFY(f.tickStartsUpdate(localTime(2024, 3, 4, 12, 0, 0)));
        QVERIFY(f.tickStartsUpdate(localTime(2024, 3, 4, 18, 30, 0)));
        QVERIFY(!f.tickStartsUpdate(localTime(2024, 3, 4, 18, 30, 1)));
        QVERIFY(!f.tickStartsUpdate(localTime(2024, 3, 4, 3, 0, 0)));
        // The window is local clock time, also on the day the clocks go forward and back.
        QVERIFY(!f.tickStartsUpdate(localTime(2024, 3, 31, 9, 29, 59)));
        QVERIFY(f.tickStartsUpdate(localTime(2024, 3, 31, 9, 30, 0)));
        QVERIFY(f.tickStartsUpdate(localTime(2024, 10, 27, 18, 30, 0)));
        QVERIFY(!f.tickStartsUpdate(localTime(2024, 10, 27, 18, 30, 1)));
        QCOMPARE(f.server.requestCount("/q.html"), 5);
    }

    void windowAcrossMidnightNeverUpdates()
    {
        TestEnvironment env;
        UpdatingFrame f(windowOptions(22, 0, 6, 0));
        for (int hour : {0, 3, 6, 12, 21, 22, 23})
            QVERIFY2(!f.tickStartsUpdate(localTime(2024, 3, 4, hour, 0, 0)), qPrintable(QString::number(hour)));
    }

    void withoutTheWindowEveryTickUpdates()
    {
        TestEnvironment env;
        GeneralOptions options = windowOptions(9, 30, 18, 30);
        options.Autoupdate_Time = 0;
        UpdatingFrame f(options);
        QVERIFY(f.tickStartsUpdate(localTime(2024, 3, 4, 3, 0, 0)));
        QVERIFY(f.tickStartsUpdate(localTime(2024, 3, 4, 12, 0, 0)));
        QVERIFY(f.tickStartsUpdate(localTime(2024, 3, 4, 23, 59, 59)));
    }

    void timerFollowsTheOptionsAndRestartsWithUpdateAll()
    {
        TestEnvironment env;
        GeneralOptions options = windowOptions(9, 30, 18, 30);
        options.UpdateIntervall = 5;
        UpdatingFrame f(options);
        QTimer& timer = *child<QTimer>(&f.frame, "autoUpdatePeriod");
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 5 * 60000);
        // No update at start: the first one comes a full period later.
        QTest::qWait(300);
        QVERIFY(f.server.requests().empty());

        // Long periods are kept to whole seconds, so the margins are wider than that.
        QTest::qWait(2500);
        QVERIFY(timer.remainingTime() < timer.interval() - 1500);
        child<QAction>(&f.frame, "updateAll")->trigger();
        QVERIFY(timer.remainingTime() > timer.interval() - 1000);
        QTRY_COMPARE_WITH_TIMEOUT(f.frame.updates()->pendingUpdates(), 0, 20000);

        // Opening a portfolio restarts the period too.
        const QString path = QString::fromStdString(env.path("depot.tkr"));
        FileDialog::setNextFileName(path);
        QVERIFY(f.frame.documents()->saveAs());
        QTest::qWait(2500);
        QVERIFY(timer.remainingTime() < timer.interval() - 1500);
        QVERIFY(f.frame.documents()->openPortfolio(path));
        QVERIFY(timer.remainingTime() > timer.interval() - 1000);

        GeneralOptions off = options;
        off.Autoupdate = 0;
        f.frame.applyOptions(off);
        QVERIFY(!timer.isActive());
        GeneralOptions longer = options;
        longer.UpdateIntervall = 500;
        f.frame.applyOptions(longer);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 500 * 60000);
    }

    void timerTickRunsUpdateAll()
    {
        TestEnvironment env;
        GeneralOptions options = windowOptions(9, 30, 18, 30);
        options.Autoupdate_Time = 0;
        UpdatingFrame f(options);
        QTimer& timer = *child<QTimer>(&f.frame, "autoUpdatePeriod");
        timer.start(20);
        QTRY_VERIFY_WITH_TIMEOUT(!f.server.requests().empty(), 10000);
        // "Update all" set the period anew.
        QCOMPARE(timer.interval(), 60 * 60000);
        QTRY_COMPARE_WITH_TIMEOUT(f.frame.updates()->pendingUpdates(), 0, 20000);
        QCOMPARE(f.frame.document().item(1).quotations.size(), size_t(1));
    }

    void noTimerWhenAutomaticUpdatesAreOff()
    {
        TestEnvironment env;
        GeneralOptions options = windowOptions(9, 30, 18, 30);
        options.Autoupdate = 0;
        UpdatingFrame f(options);
        QVERIFY(!child<QTimer>(&f.frame, "autoUpdatePeriod")->isActive());
        child<QAction>(&f.frame, "updateAll")->trigger();
        QVERIFY(!child<QTimer>(&f.frame, "autoUpdatePeriod")->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(f.frame.updates()->pendingUpdates(), 0, 20000);
    }
};

QTEST_MAIN(TestAutoUpdate)
#include "AutoUpdateTest.moc"
