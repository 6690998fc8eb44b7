// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "OpenedUrls.h"
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/HelpCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/widgets/FileDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QDesktopServices>
#include <QtTest>

namespace {

GeneralOptions showingOptions(bool showFileOnError)
{
    GeneralOptions options;
    options.ShowFileOnError = showFileOnError ? 1 : 0;
    options.Autoupdate = 0;
    return options;
}

} // namespace

class TestOpenActions : public GuiTestCase {
    Q_OBJECT
private slots:
    void pageWithoutTheQuotationOpensAsText()
    {
        TestEnvironment env;
        PrivateTempFolder temp(env);
        HttpTestServer server;
        OpenedUrls opened;
        server.addPage("/q.html", "<p>AAA 1.5</p><p>Nothing for the other one</p>");
        MainWindow frame(showingOptions(true), false);
        frame.document().addItem(pageItem("Found", "AAA", server.url("/q.html")));
        frame.document().addItem(pageItem("Lost", "ZZZ", server.url("/q.html")));
        frame.listView()->fill();
        frame.updateAll();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QCOMPARE(opened.urls.size(), 1);
        const QString shown = opened.urls.first().toLocalFile();
        QVERIFY2(shown.endsWith(QStringLiteral(".TXT")), qPrintable(shown));
        QVERIFY(QString::fromStdString(readFileBytes(shown.toStdString())).contains("Nothing for the other one"));
        QCOMPARE(temp.files(), QStringList{QFileInfo(shown).fileName()});
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 1);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(0),
                 QStringLiteral("Error: Text not found!"));
    }

    void pageIsDeletedWithoutTheOptionOrUnattended()
    {
        for (const bool unattended : {false, true}) {
            TestEnvironment env;
            PrivateTempFolder temp(env);
            HttpTestServer server;
            OpenedUrls opened;
            server.addPage("/q.html", "<p>AAA 1.5</p>");
            if (unattended)
                MessageDialog::setUnattendedCheck([] { return true; });
            // The unattended run saves when it ends.
            if (unattended)
                FileDialog::setNextFileName(QString::fromStdString(env.path("depot.tkr")));
            MainWindow frame(showingOptions(unattended), unattended);
            frame.document().addItem(pageItem("Found", "AAA", server.url("/q.html")));
            frame.document().addItem(pageItem("Lost", "ZZZ", server.url("/q.html")));
            frame.listView()->fill();
            frame.updateAll();
            QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
            MessageDialog::setUnattendedCheck(nullptr);
            QVERIFY(opened.urls.isEmpty());
            QCOMPARE(temp.files(), QStringList());
        }
    }

    // "-- User defined --" names no stored server: the item's own rules are used, as the real update does.
    void userDefinedItemTestsAndOpensItsOwnAddress()
    {
        TestEnvironment env;
        HttpTestServer server;
        OpenedUrls opened;
        server.addPage("/own.html", "<p>OWN 4.25</p>");
        MainWindow frame(showingOptions(false), false);
        PortfolioItem item = pageItem("Own", "OWN", server.url("/own.html"));
        item.server.name = ServerConfig::kUserDefinedName;
        frame.document().addItem(item);
        frame.listView()->fill();
        selectItems(frame.listView(), {QStringLiteral("Own")});
        frame.refreshCommandStates();

        child<QAction>(&frame, "openWebPage")->trigger();
        QCOMPARE(opened.urls, QList<QUrl>{QUrl(QString::fromStdString(server.url("/own.html")))});

        MessageDialog::setNextAnswer(QMessageBox::Ok);
        child<QAction>(&frame, "testUpdate")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!MessageDialog::shownTexts().isEmpty(), 20000);
        const QString report = MessageDialog::shownTexts().constFirst();
        QVERIFY2(report.startsWith(QStringLiteral("Quotation for 'Own':\nValue: 4.2500\n")), qPrintable(report));
        QCOMPARE(server.requestCount("/own.html"), 1);
    }

    void helpAndHomePages()
    {
        TestEnvironment env;
        OpenedUrls opened;
        MainWindow frame(showingOptions(false), false);
        child<QAction>(&frame, "faq")->trigger();
        child<QAction>(&frame, "serverHelp")->trigger();
        child<QAction>(&frame, "webPage")->trigger();
        {
            auto settings = SettingsStore::open();
            settings->setValue("Application/HomePage", "https://example.org/tickora/");
        }
        child<QAction>(&frame, "checkUpdate")->trigger();
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(opened.urls,
                 (QList<QUrl>{QUrl::fromLocalFile(folder + "/FAQ.html"), QUrl::fromLocalFile(folder + "/TKRSrv.html"),
                              QUrl(HelpCommands::kDefaultHomePage), QUrl("https://example.org/tickora/")}));
    }

    // The offscreen platform has no program to open anything, as a desktop without a browser.
    void pagesWithoutAProgramAreNamedForCopying()
    {
        TestEnvironment env;
        MainWindow frame(showingOptions(false), false);
        frame.document().addItem(pageItem("Big Fund", "BF1", "http://quotes.example/[&symbol]"));
        frame.listView()->fill();
        selectItems(frame.listView(), {"Big Fund"});
        frame.refreshCommandStates();
        for (int i = 0; i < 3; ++i)
            MessageDialog::setNextAnswer(QMessageBox::Ok);
        child<QAction>(&frame, "faq")->trigger();
        child<QAction>(&frame, "webPage")->trigger();
        child<QAction>(&frame, "openWebPage")->trigger();
        const QString suffix = QStringLiteral(" could not be opened: no program is set up to open it.");
        QCOMPARE(MessageDialog::shownTexts(),
                 (QStringList{QCoreApplication::applicationDirPath() + "/FAQ.html" + suffix,
                              QString::fromLatin1(HelpCommands::kDefaultHomePage) + suffix,
                              "http://quotes.example/BF1" + suffix}));
        // Shown for real, the path can be selected and copied.
        QString selectable;
        whenModal<QMessageBox>([&selectable](QMessageBox* box) {
            if (box->textInteractionFlags() & Qt::TextSelectableByMouse)
                selectable = box->text();
            box->accept();
        });
        child<QAction>(&frame, "serverHelp")->trigger();
        QCOMPARE(selectable, QCoreApplication::applicationDirPath() + "/TKRSrv.html" + suffix);
    }

    void openWebPageFillsInTheItem()
    {
        TestEnvironment env;
        TestEnvironment::setTimeZone("UTC");
        OpenedUrls opened;
        MainWindow frame(showingOptions(false), false);
        PortfolioItem item = pageItem("Big Fund", "BF1", "http://quotes.example/[&symbol]?d=[&y]");
        frame.document().addItem(item);
        frame.listView()->fill();
        selectItems(frame.listView(), {" Invested Amount History"});
        frame.refreshCommandStates();
        QVERIFY(!child<QAction>(&frame, "openWebPage")->isEnabled());
        selectItems(frame.listView(), {"Big Fund"});
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "openWebPage")->isEnabled());
        child<QAction>(&frame, "openWebPage")->trigger();
        QCOMPARE(
            opened.urls,
            QList<QUrl>{QUrl(
                QStringLiteral("http://quotes.example/BF1?d=%1").arg(QDateTime::currentDateTimeUtc().date().year()))});
    }
};

QTEST_MAIN(TestOpenActions)
#include "OpenActionsTest.moc"
