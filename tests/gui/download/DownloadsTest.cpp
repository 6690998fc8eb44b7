// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "TestEnvironment.h"
#include "core/extract/JsonRule.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/app/StatusPanes.h"
#include "gui/download/AlarmNotices.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/items/ItemGeneralPage.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/items/ItemSheetCommands.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/MessageDialog.h"
#include "render/ListIcons.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QtTest>

namespace {

size_t quotationCount(const PortfolioDocument& doc)
{
    size_t count = 0;
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        if (!doc.item(pos).isInvestedAmountHistory)
            count += doc.item(pos).quotations.size();
    }
    return count;
}

} // namespace

class TestDownloads : public GuiTestCase {
    Q_OBJECT
private slots:
    void updateOfSeveralItemsEndsWithTheRowsRemoved()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/a.html", "<p>AAA 12.50</p>");
        server.addPage("/b.html", "<p>BBB 3.75</p>");
        server.addPage("/c.html", "<p>nothing here</p>");
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("Alpha", "AAA", server.url("/a.html")));
        doc.addItem(pageItem("Beta", "BBB", server.url("/b.html")));
        frame.listView()->fill();
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "updateAll")->isEnabled());
        child<QAction>(&frame, "updateAll")->trigger();
        QVERIFY(!child<QAction>(&frame, "fileNew")->isEnabled());
        QVERIFY(!child<QAction>(&frame, "fileOpen")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QCOMPARE(frame.updates()->runningDownloads(), 0);
        QCOMPARE(child<StatusPanes>(&frame, "statusPanes")->downloadText(), QString());
        QVERIFY(child<StatusPanes>(&frame, "statusPanes")->downloadPaneWidth() > 0);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 0);
        QVERIFY(!child<DownloadsWindow>(&frame, "downloadsWindow")->isVisible());
        QCOMPARE(quotationCount(doc), size_t(2));
        QVERIFY(child<QAction>(&frame, "fileNew")->isEnabled());
        QTRY_VERIFY(frame.listView()->statusLine().startsWith("Amount invested"));

        // A page without the quotation leaves its row with the error, and the window stays.
        doc.addItem(pageItem("Gamma", "CCC", server.url("/c.html")));
        child<QAction>(&frame, "updateAll")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 1);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->itemNameOf(0), QStringLiteral("Gamma"));
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(0),
                 QStringLiteral("Error: Text not found!"));
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->imageOf(0), 4);
        QVERIFY(child<DownloadsWindow>(&frame, "downloadsWindow")->isVisible());
        QVERIFY(!child<QPushButton>(&frame, "abortButton")->isEnabled());
    }

    void transferFailuresAndMemoryWaitsShowInTheirTexts()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        // Nothing listens on port 1.
        frame.document().addItem(pageItem("Closed", "X", "http://127.0.0.1:1/q.html"));
        frame.listView()->fill();
        child<QAction>(&frame, "updateAll")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        auto* window = child<DownloadsWindow>(&frame, "downloadsWindow");
        QCOMPARE(window->rowCount(), 1);
        QCOMPARE(window->statusTextOf(0), QStringLiteral("Error: No connection!"));

        DownloadsWindow waiting;
        DownloadEvent event;
        event.itemName = "Big";
        event.itemRef = 7;
        waiting.showDownloadEvent(event);
        event.kind = DownloadEventKind::WaitingForMemory;
        waiting.showDownloadEvent(event);
        QCOMPARE(waiting.statusTextOf(0), QStringLiteral("Waiting for memory..."));
        QCOMPARE(waiting.imageOf(0), 1);
    }

    void jsonRuleStatusesShowAsTheyStand()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/q.json", R"({"quotes": [{"symbol": "AAA", "price": 12.5}]})");
        server.addPage("/q.html", "<p>AAA 12.50</p>");
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        const std::pair<const char*, const char*> items[] = {
            {"Found", "/q.json"}, {"Gone", "/q.json"}, {"Html", "/q.html"}};
        for (const auto& [name, page] : items) {
            PortfolioItem item = pageItem(name, "AAA", server.url(page));
            item.server.Filtering = 1;
            const char* field = std::string(name) == "Gone" ? "last" : "price";
            item.server.RegExp = JsonRule("$.quotes[?(@.symbol=='[&symbol]')]." + std::string(field), "", "").encode();
            doc.addItem(item);
        }
        frame.listView()->fill();
        child<QAction>(&frame, "updateAll")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QCOMPARE(quotationCount(doc), size_t(1));
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 2);
        QStringList statuses;
        for (int row = 0; row < 2; ++row)
            statuses << child<DownloadsWindow>(&frame, "downloadsWindow")->itemNameOf(row) + ": " +
                    child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(row);
        statuses.sort();
        QCOMPARE(statuses,
                 QStringList({"Gone: Error: JSON path not found! ($.quotes[?(@.symbol=='AAA')])",
                              "Html: Error: Page is not JSON! (byte 1)"}));
    }

    void abortedUpdateStoresNothing()
    {
        TestEnvironment env;
        HttpTestServer server;
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("Slow", "1", server.url("/slow?bytes=20000&chunk=500&interval=0.2")));
        doc.addItem(pageItem("Slower", "1", server.url("/slow?bytes=20000&chunk=400&interval=0.2")));
        frame.updateAll();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->runningDownloads(), 2, 10000);
        QTRY_VERIFY(child<QAction>(&frame, "abortDownloads")->isEnabled());
        child<QAction>(&frame, "abortDownloads")->trigger();
        QVERIFY(child<DownloadsWindow>(&frame, "downloadsWindow")->windowTitle().endsWith("Abort downloads..."));
        QVERIFY(!child<QAction>(&frame, "abortDownloads")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QCOMPARE(frame.updates()->runningDownloads(), 0);
        QVERIFY(!frame.updates()->abortRequested());
        QCOMPARE(quotationCount(doc), size_t(0));
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 2);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(0),
                 QStringLiteral("Download aborted!"));
        QVERIFY(child<DownloadsWindow>(&frame, "downloadsWindow")->windowTitle().endsWith("] - Downloads"));
    }

    void guardRuleHealthAndAlarmReachTheWindows()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/jump.html", "<p>JJJ 50</p>");
        server.addPage("/broken.html", "<p>nothing here</p>");
        server.addPage("/alarm.html", "<p>AAA 120</p>");
        const QString path = QString::fromStdString(env.path("watch.tkr"));
        {
            PortfolioDocument doc;
            doc.newPortfolio();
            PortfolioItem jump = pageItem("Jump", "JJJ", server.url("/jump.html"));
            jump.quotations = {{1000, 10}};
            doc.addItem(jump);
            doc.addItem(pageItem("Broken", "BBB", server.url("/broken.html")));
            PortfolioItem alarm = pageItem("Alarm", "AAA", server.url("/alarm.html"));
            alarm.quotations = {{1000, 110}};
            alarm.alarmAboveEnabled = 1;
            alarm.alarmAbove = 115;
            doc.addItem(alarm);
            QVERIFY(doc.savePortfolio(path.toStdString()).isOk());
        }
        GeneralOptions options = quietOptions();
        options.GuardPercent = 20;
        MainWindow frame(options, false);
        QVERIFY(frame.documents()->openPortfolio(path));
        QSignalSpy alarms(frame.updates(), &UpdateController::alarmTriggered);
        PortfolioListView* list = frame.listView();
        const auto cellOf = [list](const QString& name, int role) {
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                const QModelIndex index = list->model()->index(row, 0);
                if (index.data().toString() == name)
                    return index.data(role);
            }
            return QVariant();
        };
        for (const QString warning : {"Broken", "Broken",
                                      "Quotation rule failing since never: Error: Text not found!\n"
                                      "Use Repair rule... to find a new rule."}) {
            frame.updateAll();
            QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
            QCOMPARE(cellOf("Broken", Qt::ToolTipRole).toString(), warning);
        }
        // A held-back quotation is a failure too; the alarm's item succeeded.
        QCOMPARE(cellOf("Jump", Qt::ToolTipRole).toString(),
                 QStringLiteral("Quotation rule failing since never: Implausible quotation: 50.0000 (last 10.0000)\n"
                                "Use Repair rule... to find a new rule."));
        QCOMPARE(cellOf("Alarm", Qt::ToolTipRole).toString(), QStringLiteral("Alarm"));
        const QImage marked = cellOf("Broken", Qt::DecorationRole).value<QPixmap>().toImage();
        QVERIFY(marked != QPixmap::fromImage(ListIcons::trendIcon(0)).toImage());
        QCOMPARE(QPixmap::fromImage(ListIcons::withWarningMark(ListIcons::trendIcon(0))).toImage(), marked);

        QStringList rows;
        for (int row = 0; row < child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(); ++row)
            rows << child<DownloadsWindow>(&frame, "downloadsWindow")->itemNameOf(row) + ": " +
                    child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(row);
        QVERIFY2(rows.contains("Jump: Implausible quotation: 50.0000 (last 10.0000)"), qPrintable(rows.join('\n')));
        QCOMPARE(frame.document().item(1).quotations.size(), size_t(1));

        QCOMPARE(alarms.count(), 1);
        QCOMPARE(child<AlarmNotices>(&frame, "alarmNotices")->lastNotice(), QStringLiteral("Alarm: above 115.00"));
        QVERIFY(child<QSystemTrayIcon>(&frame, "alarmTray")->isVisible());

        QString shown;
        whenModal<ItemPropertiesDialog>([&](ItemPropertiesDialog* sheet) {
            if (!child<QLabel>(sheet->generalPage(), "healthLabel")->isHidden() &&
                !child<QPushButton>(sheet->generalPage(), "repairButton")->isHidden())
                shown = child<QLabel>(sheet->generalPage(), "healthLabel")->text();
            sheet->reject();
        });
        child<ItemSheetCommands>(&frame, "itemSheetCommands")
            ->showItemProperties(frame.document().itemId(2), ItemPropertiesDialog::GeneralPage);
        // The list's tooltip adds where to go next; the page has the button beside the line.
        QCOMPARE(shown + "\nUse Repair rule... to find a new rule.", cellOf("Broken", Qt::ToolTipRole).toString());
    }

    void burstOfResultsRebuildsTheListRarely()
    {
        TestEnvironment env;
        HttpTestServer server;
        std::string page;
        for (int i = 0; i < 500; ++i)
            page += "<p>S" + std::to_string(i) + "X " + std::to_string(100 + i) + ".5</p>\n";
        server.addPage("/all.html", page);
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        for (int i = 0; i < 500; ++i)
            doc.addItem(pageItem("Item " + std::to_string(i), "S" + std::to_string(i) + "X", server.url("/all.html")));
        frame.listView()->fill();
        const int fillsBefore = frame.listView()->fillCount();
        QElapsedTimer clock;
        clock.start();
        frame.updateAll();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 60000);
        QTRY_COMPARE(quotationCount(doc), size_t(500));
        QTest::qWait(2 * PortfolioListView::kMinFillIntervalMs);
        const int fills = frame.listView()->fillCount() - fillsBefore;
        const qint64 elapsedMs = clock.elapsed();
        // At most one rebuild per interval, plus the one that shows the final state.
        QVERIFY2(fills <= elapsedMs / PortfolioListView::kMinFillIntervalMs + 2,
                 qPrintable(QStringLiteral("%1 fills in %2 ms").arg(fills).arg(elapsedMs)));
        QCOMPARE(frame.listView()->model()->index(1, 2).data().toString(), QStringLiteral("100.5000"));
        QCOMPARE(server.requestCount("/all.html"), 1);
    }
};

QTEST_MAIN(TestDownloads)
#include "DownloadsTest.moc"
