// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/servers/ServerStore.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/DesktopApplication.h"
#include "gui/app/HelpCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/app/PortfolioPreload.h"
#include "gui/app/StatusPanes.h"
#include "gui/app/WindowPlacement.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QtTest>

class TestStartup : public GuiTestCase {
    Q_OBJECT
private slots:
    void firstStartWithEmptySettings()
    {
        TestEnvironment env;
        DesktopApplication app(StartOptions{});
        QVERIFY(app.initInstance());
        const GeneralOptions& options = app.options();
        QCOMPARE(options, GeneralOptions());
        QCOMPARE(ServerStore::storedPresetVersion(), ServerStore::kServerPresetVersion);
        QVERIFY(ServerStore::listServerNames().size() >= 18);
        MainWindow* frame = app.mainFrame();
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
        QCOMPARE(child<StatusPanes>(frame, "statusPanes")->downloadText(), QString());
        QCOMPARE(child<StatusPanes>(frame, "statusPanes")->investedText(), QStringLiteral("Amount invested: 0.00"));
        QVERIFY(!child<StatusPanes>(frame, "statusPanes")->clockText().isEmpty());
        QCOMPARE(frame->listView()->rowItems().size(), size_t(1));
        QVERIFY(child<QTimer>(frame, "autoUpdatePeriod")->isActive());
        QCOMPARE(child<QTimer>(frame, "autoUpdatePeriod")->interval(), 60 * 60000);
        QVERIFY(!child<QAction>(frame, "updateAll")->isEnabled());
        QVERIFY(child<QAction>(frame, "fileNew")->isEnabled());
        QVERIFY(frame->findChild<QSystemTrayIcon*>(QStringLiteral("downloadTray")) == nullptr);
        QVERIFY(HelpCommands::aboutText().endsWith(QStringLiteral("Installed server configuration version: 20")));
        QVERIFY(HelpCommands::aboutText().contains(QStringLiteral("GNU General Public License, version 3 or later")));
        QVERIFY(MessageDialog::shownTexts().isEmpty());
    }

    void commandLineSwitch()
    {
        const StartOptions tray = StartOptions::parse({"/u", "/home/me/depot.tkr"});
        QVERIFY(tray.unattended);
        QCOMPARE(tray.file, QStringLiteral("/home/me/depot.tkr"));
        QVERIFY(StartOptions::parse({"-u", "depot.tkr"}).unattended);
        const StartOptions capital = StartOptions::parse({"/U", "depot.tkr"});
        QVERIFY(!capital.unattended);
        QCOMPARE(capital.file, QStringLiteral("depot.tkr"));
        QCOMPARE(StartOptions::parse({"a.tkr", "b.tkr"}).file, QStringLiteral("b.tkr"));
    }

    void portfolioThatCannotBeOpenedEndsTheStart()
    {
        TestEnvironment env;
        const std::string broken = env.writeFile("broken.tkr", "not a portfolio");
        StartOptions start;
        start.file = QString::fromStdString(broken);
        DesktopApplication app(start);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        QVERIFY(!app.initInstance());
        QCOMPARE(app.exitCode(), 3);
        QCOMPARE(MessageDialog::shownTexts().size(), 1);
    }

    // The file read ahead at start-up is the one opened; a read ahead of another file is not used.
    void portfolioReadAheadOpensTheStartFile()
    {
        TestEnvironment env;
        const auto save = [&env](const char* fileName, const char* item) {
            PortfolioDocument doc;
            doc.newPortfolio();
            doc.addItem(PortfolioItem::newItem(item, 1700000000, 1));
            // Safe to drop: without the file the openings below miss the expected item and fail.
            static_cast<void>(doc.savePortfolio(env.path(fileName)));
            return QString::fromStdString(env.path(fileName));
        };
        const QString depot = save("depot.tkr", "Depot item");
        const QString other = save("other.tkr", "Other item");
        const QString broken = QString::fromStdString(env.writeFile("broken.tkr", "not a portfolio"));
        for (const auto& [readAhead, opened, expected] :
             {std::tuple{depot, depot, QStringLiteral("Depot item")},
              std::tuple{other, depot, QStringLiteral("Depot item")}, std::tuple{broken, broken, QString()}}) {
            MessageDialog::clearShownTexts();
            PortfolioPreload preload(readAhead);
            StartOptions start;
            start.file = opened;
            DesktopApplication app(start, &preload);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            QCOMPARE(app.initInstance(), !expected.isEmpty());
            if (expected.isEmpty()) {
                QCOMPARE(app.exitCode(), 3);
                QCOMPARE(MessageDialog::shownTexts().size(), 1);
                continue;
            }
            const PortfolioDocument& doc = app.mainFrame()->document();
            QStringList names;
            for (int pos = 0; pos < doc.itemCount(); ++pos)
                names << QString::fromStdString(doc.item(pos).name);
            QVERIFY2(names.contains(expected) && !names.contains(QStringLiteral("Other item")),
                     qPrintable(names.join(", ")));
        }
    }

    void windowPlacementIsRestoredAndSaved()
    {
        TestEnvironment env;
        QRect geometry;
        QVERIFY(!WindowPlacement::parseDimensions("10,20,300", geometry));
        QVERIFY(!WindowPlacement::parseDimensions("a,b,c,d", geometry));
        QVERIFY(WindowPlacement::parseDimensions("10,20,810,620", geometry));
        QCOMPARE(geometry.width(), 800);
        QCOMPARE(geometry.height(), 600);
        {
            auto settings = SettingsStore::open();
            settings->setValue("ListView/Dimensions", 222);
        }
        MainWindow frame(GeneralOptions(), false);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.move(0, 10);
        frame.saveLayout();
        auto settings = SettingsStore::open();
        // A window touching the left edge keeps the earlier placement, but the list height is written.
        QVERIFY(!settings->contains("MainWindow/Dimensions"));
        QCOMPARE(settings->value("ListView/Dimensions").toInt(), 222);
        QVERIFY(settings->contains("ListView/ColumnsWidth"));
        // The Downloads window's columns, measured for the status texts in the font, are written as shown.
        const QStringList columns = settings->value("ConnectionDialog/Columns").toString().split(',');
        QCOMPARE(columns.size(), 3);
        QVERIFY(columns[2].toInt() > 148);
    }

    void unattendedModeUpdatesSavesAndEnds()
    {
        TestEnvironment env;
        HttpTestServer server;
        QVERIFY(server.running());
        server.addPage("/quotes.html", "<p>AAA 12.50</p><p>BBB 7.25</p>");
        const std::string path = env.path("depot.tkr");
        {
            PortfolioDocument doc;
            doc.newPortfolio();
            doc.addItem(pageItem("Alpha", "AAA", server.url("/quotes.html")));
            doc.addItem(pageItem("Beta", "BBB", server.url("/quotes.html")));
            std::string error;
            QVERIFY2(succeeded(doc.savePortfolio(path), error), error.c_str());
        }
        StartOptions start;
        start.file = QString::fromStdString(path);
        start.unattended = true;
        DesktopApplication app(start);
        QSignalSpy finished(&app, &DesktopApplication::finished);
        QVERIFY(app.initInstance());
        QVERIFY(!app.mainFrame()->isVisible());
        QVERIFY(child<QSystemTrayIcon>(app.mainFrame(), "downloadTray") != nullptr);
        QCOMPARE(child<QSystemTrayIcon>(app.mainFrame(), "downloadTray")->toolTip(),
                 QString::fromStdString(path).left(63));
        QVERIFY(finished.wait(30000));
        QCOMPARE(app.exitCode(), 0);
        QCOMPARE(child<QSystemTrayIcon>(app.mainFrame(), "downloadTray")->toolTip(), QStringLiteral("depot.tkr (End)"));
        QVERIFY(!child<DownloadsWindow>(app.mainFrame(), "downloadsWindow")->isVisible());
        QVERIFY(MessageDialog::shownTexts().isEmpty());
        PortfolioDocument reread;
        std::string error;
        QVERIFY(succeeded(reread.openPortfolio(path), error));
        std::vector<double> values;
        for (int pos = 0; pos < reread.itemCount(); ++pos) {
            if (!reread.item(pos).isInvestedAmountHistory) {
                QCOMPARE(reread.item(pos).quotations.size(), size_t(1));
                values.push_back(reread.item(pos).quotations.back().value);
            }
        }
        QCOMPARE(values, (std::vector<double>{12.5, 7.25}));
        // Both items share the page, so it was fetched once.
        QCOMPARE(server.requestCount("/quotes.html"), 1);
    }

    void unattendedModeReportsAFailedDownload()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/quotes.html", "<p>AAA 12.50</p>");
        const std::string path = env.path("depot.tkr");
        {
            PortfolioDocument doc;
            doc.newPortfolio();
            doc.addItem(pageItem("Alpha", "AAA", server.url("/quotes.html")));
            doc.addItem(pageItem("Gone", "GGG", server.url("/missing.html")));
            std::string error;
            QVERIFY(succeeded(doc.savePortfolio(path), error));
        }
        StartOptions start;
        start.file = QString::fromStdString(path);
        start.unattended = true;
        DesktopApplication app(start);
        QSignalSpy finished(&app, &DesktopApplication::finished);
        QVERIFY(app.initInstance());
        QVERIFY(finished.wait(30000));
        QCOMPARE(app.exitCode(), 1);
        QVERIFY(MessageDialog::shownTexts().isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "StartupTest.moc"
