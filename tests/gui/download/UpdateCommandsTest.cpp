// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/download/UpdateOnDateDialog.h"
#include "gui/items/ItemCommands.h"
#include "gui/items/ItemQuotationDialog.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QThread>
#include <QTimeEdit>
#include <QtTest>

namespace {

QString strftimeText(time_t time, const char* format)
{
    std::tm local{};
    localtime_r(&time, &local);
    char text[128];
    return QString::fromLocal8Bit(text, qsizetype(std::strftime(text, sizeof text, format, &local)));
}

// Waits for the one message box the test update shows and returns its text.
QString testUpdateMessage(MainWindow& frame, const QString& item)
{
    MessageDialog::clearShownTexts();
    selectItems(frame.listView(), {item});
    frame.refreshCommandStates();
    if (!child<QAction>(&frame, "testUpdate")->isEnabled())
        return QStringLiteral("(test update not offered)");
    MessageDialog::setNextAnswer(QMessageBox::Ok);
    child<QAction>(&frame, "testUpdate")->trigger();
    if (!QTest::qWaitFor([] { return !MessageDialog::shownTexts().isEmpty(); }, 20000))
        return QStringLiteral("(no message)");
    return MessageDialog::shownTexts().constFirst();
}

} // namespace

class TestUpdateCommands : public GuiTestCase {
    Q_OBJECT
public:
    TestUpdateCommands() : GuiTestCase("Europe/Berlin", "C") { }

private slots:
    void testUpdateShowsItsOutcomeInAMessageBox()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/found.html", "<p>AAA 12.5</p>");
        server.addPage("/nothing.html", "<p>AAA 1 2</p>");
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("Found", "AAA", server.url("/found.html")));
        // Five numbers to skip where the page holds two: the search runs out of page.
        PortfolioItem empty = pageItem("Empty", "AAA", server.url("/nothing.html"));
        empty.server.Numbers_before_Value = 5;
        doc.addItem(empty);
        doc.addItem(pageItem("Missing", "AAA", server.url("/missing.html")));
        frame.listView()->fill();

        const time_t before = time(nullptr);
        const QString found = testUpdateMessage(frame, "Found");
        const time_t after = time(nullptr);
        const QString head = QStringLiteral("Quotation for 'Found':\nValue: 12.5000\nDate/Time: ");
        QVERIFY2(found.startsWith(head), qPrintable(found));
        bool timeMatches = false;
        for (time_t t = before; t <= after; ++t)
            timeMatches = timeMatches || found == head + strftimeText(t, "%c") + QLatin1Char('\n');
        QVERIFY2(timeMatches, qPrintable(found));

        const QString notFound = testUpdateMessage(frame, "Empty");
        QCOMPARE(notFound, QStringLiteral("Quotation for 'Empty' not found!\nEOF\n"));

        const QString error = testUpdateMessage(frame, "Missing");
        QCOMPARE(error,
                 QStringLiteral("Download error:\nItem: Missing\nURL: %1\nError: File not found: /missing.html")
                     .arg(QString::fromStdString(server.url("/missing.html"))));

        // A test is only shown: nothing stored, counted, listed or left marked, and the pointer is back.
        for (int pos = 0; pos < doc.itemCount(); ++pos) {
            QVERIFY(doc.item(pos).quotations.empty() || doc.item(pos).isInvestedAmountHistory);
            QVERIFY(!doc.isUpdating(doc.itemId(pos)));
        }
        QCOMPARE(frame.updates()->runningDownloads(), 0);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 0);
        QVERIFY(!child<DownloadsWindow>(&frame, "downloadsWindow")->isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // The invested-amount history is never tested.
        selectItems(frame.listView(), {QStringLiteral(" Invested Amount History")});
        frame.refreshCommandStates();
        QVERIFY(!child<QAction>(&frame, "testUpdate")->isEnabled());
    }

    void manualUpdateEntersAQuotationByHand()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        PortfolioItem item = PortfolioItem::newItem("Fund", 1700000000, 1);
        item.quotations = {{localTime(2024, 3, 1, 20, 0), 0.125}};
        doc.addItem(item);
        frame.listView()->fill();
        selectItems(frame.listView(), {"Fund"});
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "manualUpdate")->isEnabled());

        QString title, shownName, value;
        QDate date;
        QTime timeOfDay;
        QStringList refusals;
        bool stayedOpen = false;
        whenModal<ItemQuotationDialog>([&](ItemQuotationDialog* dialog) {
            title = dialog->windowTitle();
            for (QLabel* label : dialog->findChildren<QLabel*>())
                shownName += label->text() == QLatin1String("Fund") ? label->text() : QString();
            date = dialog->findChild<QDateEdit*>()->date();
            timeOfDay = dialog->findChild<QTimeEdit*>()->time();
            value = child<QLineEdit>(dialog, "valueField")->text();
            for (const QString& wrong : {QStringLiteral("0"), QStringLiteral("1000000000"), QStringLiteral("abc")}) {
                child<QLineEdit>(dialog, "valueField")->setText(wrong);
                MessageDialog::setNextAnswer(QMessageBox::Ok);
                dialog->accept();
            }
            refusals = MessageDialog::shownTexts();
            stayedOpen = dialog->isVisible();
            dialog->findChild<QDateEdit*>()->setDate(QDate(2024, 3, 4));
            dialog->findChild<QTimeEdit*>()->setTime(QTime(18, 15, 30));
            child<QLineEdit>(dialog, "valueField")->setText(QStringLiteral("12.5"));
            dialog->accept();
        });
        child<QAction>(&frame, "manualUpdate")->trigger();

        QCOMPARE(title, QStringLiteral("Item quotation"));
        QCOMPARE(shownName, QStringLiteral("Fund"));
        QCOMPARE(date, QDate::currentDate());
        QCOMPARE(timeOfDay, QTime(20, 0, 0));
        QCOMPARE(value, QStringLiteral("0"));
        QCOMPARE(refusals,
                 (QStringList{QStringLiteral("Please enter a number between 0.001 and 999999999."),
                              QStringLiteral("Please enter a number between 0.001 and 999999999."),
                              QStringLiteral("Please enter a number.")}));
        QVERIFY(stayedOpen);
        // Entered by hand, so no cents correction although the ratio to the last value is 100.
        const std::vector<Quotation>& history = itemNamed(doc, "Fund").quotations;
        QCOMPARE(history.size(), size_t(2));
        QCOMPARE(history.back().time, localTime(2024, 3, 4, 18, 15, 30));
        QCOMPARE(history.back().value, 12.5);
        QVERIFY(doc.isModified());

        // Cancel stores nothing.
        whenModal<ItemQuotationDialog>([](ItemQuotationDialog* dialog) {
            child<QLineEdit>(dialog, "valueField")->setText(QStringLiteral("99"));
            dialog->reject();
        });
        child<QAction>(&frame, "manualUpdate")->trigger();
        QCOMPARE(itemNamed(doc, "Fund").quotations.size(), size_t(2));
    }

    void manualUpdateIgnoresTheUpdateMark()
    {
        TestEnvironment env;
        HttpTestServer server;
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("Slow", "7", server.url("/slow?bytes=3000&chunk=100&interval=0.1")));
        frame.listView()->fill();
        selectItems(frame.listView(), {"Slow"});
        child<QAction>(&frame, "updateQuotation")->trigger();
        QTRY_VERIFY(doc.isUpdating(doc.itemId(doc.itemCount() - 1)));
        whenModal<ItemQuotationDialog>([](ItemQuotationDialog* dialog) {
            child<QLineEdit>(dialog, "valueField")->setText(QStringLiteral("3.5"));
            dialog->accept();
        });
        child<QAction>(&frame, "manualUpdate")->trigger();
        QCOMPARE(itemNamed(doc, "Slow").quotations.size(), size_t(1));
        QCOMPARE(itemNamed(doc, "Slow").quotations.back().value, 3.5);
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
    }

    void updateOnDateLooksBackForAMissingPage()
    {
        TestEnvironment env;
        HttpTestServer server;
        // Only the page of two days before the chosen date exists.
        server.addPage("/day/2024-03-02.html", "<p>AAA 42.25</p>");
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("Dated", "AAA", server.url("/day/[&y]-[&m]-[&d].html")));
        doc.addItem(pageItem("Gone", "AAA", server.url("/gone/[&y]-[&m]-[&d].html")));
        frame.listView()->fill();

        // Nothing selected: the command refuses.
        frame.listView()->selectionModel()->clearSelection();
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        child<ItemCommands>(&frame, "itemCommands")->updateSelectedOnDate();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{QStringLiteral("No items selected!")});

        selectItems(frame.listView(), {"Dated", "Gone"});
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "updateOnDate")->isEnabled());
        QString title;
        QDate presetDate;
        QTime presetTime;
        whenModal<UpdateOnDateDialog>([&](UpdateOnDateDialog* dialog) {
            title = dialog->windowTitle();
            presetDate = dialog->findChild<QDateEdit*>()->date();
            presetTime = dialog->findChild<QTimeEdit*>()->time();
            dialog->findChild<QDateEdit*>()->setDate(QDate(2024, 3, 4));
            dialog->findChild<QTimeEdit*>()->setTime(QTime(20, 0, 0));
            dialog->accept();
        });
        child<QAction>(&frame, "updateOnDate")->trigger();
        QCOMPARE(title, QStringLiteral("Update items' quotations on date..."));
        QCOMPARE(presetDate, QDateTime::fromSecsSinceEpoch(time(nullptr) - 86400).date());
        QCOMPARE(presetTime, QTime(20, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);

        // The chosen date reached the download: the day itself, then back one day at a time.
        std::vector<std::string> dated, gone;
        for (const std::string& path : server.requests()) {
            if (path.rfind("/day/", 0) == 0)
                dated.push_back(path);
            if (path.rfind("/gone/", 0) == 0)
                gone.push_back(path);
        }
        QCOMPARE(dated,
                 (std::vector<std::string>{"/day/2024-03-04.html", "/day/2024-03-03.html", "/day/2024-03-02.html"}));
        // Three days back at most, then the page counts as missing.
        QCOMPARE(gone,
                 (std::vector<std::string>{"/gone/2024-03-04.html", "/gone/2024-03-03.html", "/gone/2024-03-02.html",
                                           "/gone/2024-03-01.html"}));
        // The quotation found carries the chosen date and time.
        const std::vector<Quotation>& history = itemNamed(doc, "Dated").quotations;
        QCOMPARE(history.size(), size_t(1));
        QCOMPARE(history.back().time, localTime(2024, 3, 4, 20, 0, 0));
        QCOMPARE(history.back().value, 42.25);
        QVERIFY(itemNamed(doc, "Gone").quotations.empty());
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 1);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(0),
                 QStringLiteral("Error: File not found: /gone/2024-03-04.html"));

        // Cancel starts nothing.
        const size_t requestsBefore = server.requests().size();
        whenModal<UpdateOnDateDialog>([](UpdateOnDateDialog* dialog) { dialog->reject(); });
        child<QAction>(&frame, "updateOnDate")->trigger();
        QCOMPARE(frame.updates()->pendingUpdates(), 0);
        QCOMPARE(server.requests().size(), requestsBefore);
    }

    void newAndOpenWaitForTheDownloads()
    {
        TestEnvironment env;
        HttpTestServer server;
        const QString other = QString::fromStdString(env.path("other.tkr"));
        {
            PortfolioDocument saved;
            saved.newPortfolio();
            saved.addItem(PortfolioItem::newItem("Elsewhere", 1700000000, 1));
            std::string error;
            QVERIFY(succeeded(saved.savePortfolio(other.toStdString()), error));
        }
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("Slow", "7", server.url("/slow?bytes=8&chunk=1&interval=0.2")));
        frame.listView()->fill();
        selectItems(frame.listView(), {"Slow"});
        child<QAction>(&frame, "updateQuotation")->trigger();
        QVERIFY(!child<QAction>(&frame, "fileNew")->isEnabled());
        QVERIFY(!child<QAction>(&frame, "fileOpen")->isEnabled());

        auto dropFile = [&] {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(other)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&frame, &enter);
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&frame, &drop);
        };
        // A portfolio dropped while an item is being updated is not opened.
        dropFile();
        QCOMPARE(frame.documents()->path(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QVERIFY(child<QAction>(&frame, "fileNew")->isEnabled());
        QVERIFY(child<QAction>(&frame, "fileOpen")->isEnabled());

        // Afterwards it is, once the question about the updated portfolio is answered.
        MessageDialog::setNextAnswer(QMessageBox::No);
        dropFile();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{QStringLiteral("Save changes to Untitled?")});
        QCOMPARE(frame.documents()->path(), other);
        QCOMPARE(QString::fromStdString(doc.item(1).name), QStringLiteral("Elsewhere"));
    }

    void windowClosedDuringDownloads()
    {
        TestEnvironment env;
        PrivateTempFolder temp(env);
        HttpTestServer server;
        {
            MainWindow frame(quietOptions(), false);
            PortfolioDocument& doc = frame.document();
            doc.addItem(pageItem("Slow", "7", server.url("/slow?bytes=20000&chunk=100&interval=0.1")));
            doc.addItem(pageItem("Slower", "7", server.url("/slow?bytes=20000&chunk=50&interval=0.1")));
            frame.listView()->fill();
            frame.updateAll();
            QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->runningDownloads(), 2, 10000);
        }
        // The workers ended with the window; events still on their way to it are dropped, and no
        // downloaded page is left behind.
        QTest::qWait(300);
        QCOMPARE(temp.files().join(" "), QString());
    }

    void pagesOfFailedSearchesGoWithTheClosedWindow()
    {
        TestEnvironment env;
        PrivateTempFolder temp(env);
        HttpTestServer server;
        server.addPage("/nf.html", "<p>nothing here</p>");
        {
            MainWindow frame(quietOptions(), false);
            PortfolioDocument& doc = frame.document();
            doc.addItem(pageItem("A", "AAA", server.url("/nf.html")));
            doc.addItem(pageItem("B", "BBB", server.url("/nf.html")));
            frame.listView()->fill();
            frame.updateAll();
            // No event loop runs: the pages wait in the events queued for the window.
            QDeadlineTimer deadline(10000);
            while (temp.files().size() < 2 && !deadline.hasExpired())
                QThread::msleep(20);
            QCOMPARE(temp.files().size(), 2);
        }
        QCOMPARE(temp.files().join(" "), QString());
    }

    void updateQuotationTakesTheSelectedItems()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/q.html", "<p>AAA 10.5</p><p>BBB 20.5</p>");
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("A", "AAA", server.url("/q.html")));
        doc.addItem(pageItem("B", "BBB", server.url("/q.html?b")));
        frame.listView()->fill();
        frame.listView()->selectionModel()->clearSelection();
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        child<ItemCommands>(&frame, "itemCommands")->updateSelected();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{QStringLiteral("No items!")});

        selectItems(frame.listView(), {"B"});
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "updateQuotation")->isEnabled());
        child<QAction>(&frame, "updateQuotation")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QVERIFY(itemNamed(doc, "A").quotations.empty());
        QCOMPARE(itemNamed(doc, "B").quotations.size(), size_t(1));
        QCOMPARE(server.requests(), std::vector<std::string>{"/q.html?b"});
    }
};

QTEST_MAIN(TestUpdateCommands)
#include "UpdateCommandsTest.moc"
