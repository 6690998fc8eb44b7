// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "core/base/FileReader.h"
#include "core/model/PortfolioDocument.h"
#include "core/servers/ServerStore.h"
#include "gui/items/ItemGeneralPage.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/items/RepairRuleDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

PortfolioItem fundItem(const std::string& name, const std::string& server)
{
    PortfolioItem item = PortfolioItem::newItem(name, 1607299200, 1);
    item.quotations = {{1607299200, 675.37}};
    item.server = ServerConfig::newServerDefaults();
    item.server.name = server;
    item.server.URL = testServer().url("/repair/fund.html");
    item.server.Format = 1;
    item.server.TAUSEND = ".";
    item.server.Text_before_Value = "Schluss";
    item.server.Nr_HTML_before_Value = 2;
    return item;
}

std::string changedPage(const char* name)
{
    return readFileBytes(testDataPath(std::string("repair/") + name));
}

} // namespace

class RepairDialogTest : public GuiTestCase {
    Q_OBJECT
private slots:
    void downloadsShowsTheCandidatesAndCloseChangesNothing()
    {
        TestEnvironment env;
        testServer().addPage("/repair/fund.html", changedPage("de_fund-changed-markup-added.html"));
        PortfolioDocument doc;
        doc.addItem(fundItem("DNB Fund", ServerConfig::kUserDefinedName));
        const PortfolioItem before = doc.item(0);
        RepairRuleDialog dialog(doc, doc.itemId(0), "");
        dialog.show();
        dialog.startDownload();
        auto* candidates = dialog.findChild<QTreeWidget*>("RepairCandidates");
        QTRY_VERIFY_WITH_TIMEOUT(candidates->topLevelItemCount() > 0, 20000);
        QVERIFY(
            dialog.findChild<QLabel*>("RepairStatus")->text().startsWith("Current rule: Error: Quotation not found!!"));
        QCOMPARE(candidates->topLevelItem(0)->text(0), QStringLiteral("677.1300"));
        QCOMPARE(candidates->topLevelItem(0)->text(1),
                 QStringLiteral("start \"Schluss:\" tags 5 numbers 0, 9.999,99, semi-html"));
        QVERIFY(dialog.findChild<QLabel*>("RepairExcerpt")->text().contains("\">677,13</b>"));
        QSignalSpy webPage(&dialog, &RepairRuleDialog::openWebPageRequested);
        dialog.findChild<QPushButton*>("RepairWebPage")->click();
        QCOMPARE(webPage.count(), 1);
        dialog.findChild<QPushButton*>("RepairClose")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(doc.item(0).server, before.server);
    }

    void applyWritesTheItemOrAsksBeforeChangingASharedServer()
    {
        TestEnvironment env;
        PortfolioDocument doc;
        doc.addItem(fundItem("DNB Fund", ServerConfig::kUserDefinedName));
        RepairRuleDialog own(doc, doc.itemId(0), "");
        own.propose(changedPage("de_fund-changed-relabelled.html"));
        own.findChild<QPushButton*>("RepairApply")->click();
        QCOMPARE(own.result(), int(QDialog::Accepted));
        QCOMPARE(doc.item(0).server.Text_before_Value, std::string("Schlusskurs (EUR)"));
        QVERIFY(doc.isModified());

        QVERIFY(bool(ServerStore::writeServerConfig("Fonds", fundItem("x", "Fonds").server)));
        doc.addItem(fundItem("Second", "Fonds"));
        doc.addItem(fundItem("Third", "Fonds"));
        RepairRuleDialog shared(doc, doc.itemId(1), "");
        shared.propose(changedPage("de_fund-changed-relabelled.html"));
        MessageDialog::setNextAnswer(QMessageBox::No);
        shared.findChild<QPushButton*>("RepairApply")->click();
        ServerConfig stored;
        ServerStore::readServerConfig("Fonds", stored);
        QCOMPARE(stored.Text_before_Value, std::string("Schluss"));
        MessageDialog::setNextAnswer(QMessageBox::Yes);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        shared.findChild<QPushButton*>("RepairApply")->click();
        ServerStore::readServerConfig("Fonds", stored);
        QCOMPARE(stored.Text_before_Value, std::string("Schlusskurs (EUR)"));
        QCOMPARE(MessageDialog::shownTexts().last(), QStringLiteral("Server Fonds changed: used by 2 items."));
    }

    void theGeneralPageOffersRepairBesideAFailingRule()
    {
        TestEnvironment env;
        PortfolioDocument doc;
        doc.addItem(fundItem("DNB Fund", ServerConfig::kUserDefinedName));
        ItemPropertiesDialog sheet(doc, doc.itemId(0), ItemPropertiesDialog::GeneralPage, -1, nullptr);
        sheet.show();
        QVERIFY(!child<QPushButton>(sheet.generalPage(), "repairButton")->isVisible());
        sheet.setHealthWarning("Quotation rule failing since never: Error: Text not found!");
        QVERIFY(child<QPushButton>(sheet.generalPage(), "repairButton")->isVisible());
        QSignalSpy requested(sheet.generalPage(), &ItemGeneralPage::repairRequested);
        child<QPushButton>(sheet.generalPage(), "repairButton")->click();
        QCOMPARE(requested.count(), 1);
    }
};

QTEST_MAIN(RepairDialogTest)
#include "RepairDialogTest.moc"
