// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "TestEnvironment.h"
#include "core/servers/ServerStore.h"
#include "gui/app/MainWindow.h"
#include "gui/items/ItemGeneralPage.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/servers/SaveServerAsDialog.h"
#include "gui/servers/ServerPropertiesDialog.h"
#include "gui/servers/ServerWizard.h"
#include "gui/servers/WizardDownloadPage.h"
#include "gui/servers/WizardRulePage.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

// Takes the sample pages the wizard shows in the web browser.
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler("file"); }
public slots:
    void open(const QUrl&) { }
};

namespace {

// The sheet of the focused item, opened as the user does: its row chosen, then "P&roperties".
void openProperties(MainWindow& frame, const QString& item, std::function<void(ItemGeneralPage*)> onGeneralPage)
{
    frame.listView()->fill();
    selectItems(frame.listView(), {item});
    frame.refreshCommandStates();
    whenModal<ItemPropertiesDialog>([onGeneralPage](ItemPropertiesDialog* sheet) {
        onGeneralPage(sheet->generalPage());
        sheet->accept();
    });
    child<QAction>(&frame, "properties")->trigger();
}

} // namespace

class TestServerDialogs : public GuiTestCase {
    Q_OBJECT
private slots:
    void theWizardGivesTheItemsOwnRulesTheChosenRule()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/kurs.html", "Kurs:<td><b>22,65</b></td> and more text");
        OpenedFiles opened;
        MainWindow frame(GeneralOptions(), false);
        frame.document().addItem(pageItem("Fund", "kurs", server.url("/[&symbol].html")));
        bool wizardShown = false;
        openProperties(frame, "Fund", [&](ItemGeneralPage* general) {
            whenModal<ServerWizard>([&](ServerWizard* wizard) {
                wizardShown = wizard->windowTitle() == QLatin1String("Server Configuration Wizard - [Fund]");
                WizardDownloadPage* one = child<WizardDownloadPage>(wizard, "downloadPage");
                QTest::mouseClick(child<QPushButton>(one, "downloadButton"), Qt::LeftButton);
                // A failed download ends the wizard, so that the sheet's button returns.
                if (!QTest::qWaitFor([one] { return child<QPushButton>(one, "nextButton")->isVisibleTo(one); },
                                     20000)) {
                    wizard->reject();
                    return;
                }
                QTest::mouseClick(child<QPushButton>(one, "nextButton"), Qt::LeftButton);
                WizardRulePage* two = child<WizardRulePage>(wizard, "rulePage");
                child<QLineEdit>(two, "quotationField")->setText("22,65");
                QTest::mouseClick(child<QPushButton>(two, "generateButton"), Qt::LeftButton);
                QTest::mouseClick(child<QPushButton>(two, "nextButton"), Qt::LeftButton);
                if (wizard->isVisible())
                    wizard->reject();
            });
            QTest::mouseClick(child<QPushButton>(general, "wizardButton"), Qt::LeftButton);
            QCOMPARE(general->serverChoice(), std::string(ServerConfig::kUserDefinedName));
        });
        QVERIFY(wizardShown);
        const ServerConfig& rules = frame.document().item(1).server;
        QCOMPARE(rules.name, std::string());
        QCOMPARE(rules.URL, server.url("/[&symbol].html"));
        QCOMPARE(rules.Format, 1);
        QCOMPARE(rules.Text_before_Value, std::string("Kurs:"));
        QCOMPARE(rules.Nr_HTML_before_Value, 2);
        QCOMPARE(rules.Numbers_before_Value, 0);
        QVERIFY(ServerStore::listServerNames().empty());
    }

    void editWritesAStoredServerAtOnceAndSaveAsKeepsTheItemsOwnRules()
    {
        TestEnvironment env;
        ServerConfig bank = ServerConfig::newServerDefaults();
        bank.URL = "http://bank.example/[&symbol]";
        QVERIFY(ServerStore::writeServerConfig("Bank", bank).isOk());
        MainWindow frame(GeneralOptions(), false);
        PortfolioItem item = pageItem("Fund", "F", "http://own.example/");
        item.server.name = "Bank";
        frame.document().addItem(item);
        QStringList titles;
        openProperties(frame, "Fund", [&](ItemGeneralPage* general) {
            whenModal<ServerPropertiesDialog>([&](ServerPropertiesDialog* dialog) {
                titles << dialog->windowTitle();
                child<QLineEdit>(dialog, "urlField")->setText("http://bank.example/new/[&symbol]");
                child<QPlainTextEdit>(dialog, "headersField")->setPlainText("X-Key: [&symbol]");
                dialog->accept();
            });
            QTest::mouseClick(child<QPushButton>(general, "editButton"), Qt::LeftButton);
            ServerConfig read;
            ServerStore::readServerConfig("Bank", read);
            QCOMPARE(read.URL, std::string("http://bank.example/new/[&symbol]"));
            QCOMPARE(read.Headers, std::vector<std::string>{"X-Key: [&symbol]"});

            // Cancel keeps the item's own rules as they were.
            child<QComboBox>(general, "serverList")->setCurrentIndex(0);
            whenModal<ServerPropertiesDialog>([&](ServerPropertiesDialog* dialog) {
                titles << dialog->windowTitle();
                child<QLineEdit>(dialog, "startTextField")->setText("Dropped:");
                dialog->reject();
            });
            QTest::mouseClick(child<QPushButton>(general, "editButton"), Qt::LeftButton);
            QCOMPARE(general->currentRules().Text_before_Value, std::string("[&symbol]"));

            whenModal<ServerPropertiesDialog>([&](ServerPropertiesDialog* dialog) {
                child<QLineEdit>(dialog, "startTextField")->setText("Price:");
                whenModal<SaveServerAsDialog>([](SaveServerAsDialog* chooser) {
                    child<QComboBox>(chooser, "nameList")->setCurrentText("Copy");
                    chooser->accept();
                });
                dialog->saveAs();
                dialog->accept();
            });
            QTest::mouseClick(child<QPushButton>(general, "editButton"), Qt::LeftButton);
            QCOMPARE(child<QComboBox>(general, "serverList")->currentText(),
                     QString::fromLatin1(ServerConfig::kUserDefinedName));
            QVERIFY(child<QComboBox>(general, "serverList")->findText("Copy") > 0);
        });
        QCOMPARE(titles, (QStringList{"Server properties - [Bank]", "Server properties - [Fund]"}));
        // The item keeps its own rules, edited; "Copy" is a new server for other items.
        QCOMPARE(frame.document().item(1).server.name, std::string());
        QCOMPARE(frame.document().item(1).server.Text_before_Value, std::string("Price:"));
        ServerConfig copy;
        ServerStore::readServerConfig("Copy", copy);
        QCOMPARE(copy.Text_before_Value, std::string("Price:"));
        QCOMPARE(copy.URL, std::string("http://own.example/"));
        QCOMPARE(ServerStore::listServerNames(), (std::vector<std::string>{"Bank", "Copy"}));
    }
};

QTEST_MAIN(TestServerDialogs)
#include "ServerDialogsTest.moc"
