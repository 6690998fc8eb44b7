// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "core/servers/ServerStore.h"
#include "gui/app/MainWindow.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/servers/ServerLinkFields.h"
#include "gui/servers/ServerPropertiesDialog.h"
#include "gui/views/PortfolioListView.h"
#include "gui/views/PortfolioRowBuilder.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

void storeServer(const std::string& name, const std::string& url, const std::string& fallback = {})
{
    ServerConfig config = ServerConfig::newServerDefaults();
    config.URL = url;
    config.Fallback = fallback;
    config.Format = 0;
    config.Filtering = 0;
    config.Text_before_Value = "[&symbol]";
    config.TAUSEND = "";
    config.DECIMAL = ".";
    QVERIFY(ServerStore::writeServerConfig(name, config));
}

ServerConfig stored(const std::string& name)
{
    ServerConfig config;
    ServerStore::readServerConfig(name, config);
    return config;
}

} // namespace

class TestServerLinks : public GuiTestCase {
    Q_OBJECT
private slots:

    void fieldsListTheServersAndRefuseWhatTheCommandLineRefuses()
    {
        TestEnvironment env;
        for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"})
            storeServer(name, "http://127.0.0.1/");
        storeServer("Beta", "http://127.0.0.1/", "Gamma");
        storeServer("Gamma", "http://127.0.0.1/", "Alpha");
        ServerPropertiesDialog dialog(stored("Alpha"), "Alpha", "Item", "SYM");
        auto* fallback = dialog.findChild<QComboBox*>("fallbackServer");
        auto* crossCheck = dialog.findChild<QComboBox*>("crossCheckServer");
        auto* percent = dialog.findChild<QLineEdit*>("crossCheckPercent");
        QVERIFY(fallback && crossCheck && percent);
        QCOMPARE(fallback->count(), 5);
        QCOMPARE(fallback->itemText(0), QStringLiteral("-- none --"));
        QCOMPARE(crossCheck->currentIndex(), 0);
        QCOMPARE(percent->text(), QStringLiteral("2"));

        const struct {
            const char* fallback;
            const char* crossCheck;
            const char* percent;
            QString message;
        } refusals[] = {
            {"Alpha", "-- none --", "2", "A server cannot fall back on itself."},
            {"-- none --", "Alpha", "2", "A server cannot be checked against itself."},
            {"Beta", "-- none --", "2", "The fallback chain would return to 'Alpha'."},
            {"-- none --", "Gamma", "100.5", "Please enter a number between 0.1 and 100."},
        };
        dialog.show();
        for (const auto& refusal : refusals) {
            MessageDialog::clearShownTexts();
            fallback->setCurrentText(refusal.fallback);
            crossCheck->setCurrentText(refusal.crossCheck);
            percent->setText(refusal.percent);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            dialog.accept();
            QVERIFY2(dialog.isVisible(), refusal.fallback);
            QCOMPARE(MessageDialog::shownTexts(), QStringList{refusal.message});
        }

        fallback->setCurrentText("Delta");
        crossCheck->setCurrentText("Beta");
        percent->setText("0.5");
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.config().Fallback, std::string("Delta"));
        QCOMPARE(dialog.config().CrossCheck, std::string("Beta"));
        QCOMPARE(dialog.config().CrossCheckPercent, 50);

        ServerPropertiesDialog own(ServerConfig::newItemDefaults(), ServerConfig::kUserDefinedName, "Item", "SYM");
        QVERIFY(!child<ServerLinkFields>(&own, "serverLinkFields")->isEnabled());
    }

    void theDownloadsWindowShowsTheFallbackDownloadInARowOfItsOwn()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/empty.html", "<p>nothing here</p>");
        storeServer("Gone", server.url("/gone.html"), "Empty");
        storeServer("Empty", server.url("/empty.html"));
        GeneralOptions options;
        options.ShowFileOnError = 0;
        MainWindow frame(options, false);
        PortfolioItem item = pageItem("Alpha", "AAA", "");
        item.server.name = "Gone";
        frame.document().addItem(item);
        frame.listView()->fill();
        frame.refreshCommandStates();
        child<QAction>(&frame, "updateAll")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(frame.updates()->pendingUpdates(), 0, 20000);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->rowCount(), 2);
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->itemNameOf(0), QStringLiteral("Alpha"));
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(0),
                 QStringLiteral("Error: File not found: /gone.html"));
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->itemNameOf(1),
                 QStringLiteral("Alpha (fallback Empty)"));
        QCOMPARE(child<DownloadsWindow>(&frame, "downloadsWindow")->statusTextOf(1),
                 QStringLiteral("Error: Text not found!"));
    }

    void theListSaysSinceWhenTheFallbackServesAnItem()
    {
        RuleHealth health;
        health.Fallback = "Backup";
        health.FallbackSince = 1700000000;
        QVERIFY(ruleHealthWarning(health, 1700000600).startsWith("Served by the fallback Backup since "));
        health.Failures = RuleHealth::kFailingRun;
        QVERIFY2(ruleHealthWarning(health, 1700000600).startsWith("Quotation rule failing since "),
                 "a failing rule says so first");
        QVERIFY(ruleHealthWarning(RuleHealth(), 1700000600).isEmpty());
    }
};

QTEST_MAIN(TestServerLinks)
#include "ServerLinksTest.moc"
