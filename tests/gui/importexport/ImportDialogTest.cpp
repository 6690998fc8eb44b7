// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/importexport/ImportDialog.h"
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/MainWindow.h"
#include "gui/importexport/ImportLocationDialog.h"
#include "gui/items/ItemCommands.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/FileDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const char* const kYahooFormat = "[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]";
const char* const kLoaded = "The file has been successfully loaded. Press ok to import quotations.";

// Fills the import dialog, reads the file and waits until it is loaded (or the status says why not).
bool readFile(ImportDialog* dialog, const std::string& address, const char* format = kYahooFormat)
{
    child<QLineEdit>(dialog, "addressField")->setText(QString::fromStdString(address));
    child<QLineEdit>(dialog, "formatField")->setText(format);
    child<QComboBox>(dialog, "separatorList")->setCurrentIndex(3);
    QTest::mouseClick(child<QPushButton>(dialog, "readButton"), Qt::LeftButton);
    return QTest::qWaitFor(
        [dialog] {
            return !child<QPushButton>(dialog, "readButton")->isVisibleTo(dialog) ||
                child<QLineEdit>(dialog, "statusLine")->text().startsWith("Error");
        },
        20000);
}

} // namespace

class TestImportDialog : public GuiTestCase {
    Q_OBJECT
public:
    TestImportDialog() : GuiTestCase("UTC") { }

private slots:
    void locationDialogBuildsTheAddress()
    {
        TestEnvironment env;
        ImportSettings settings = ImportSettings::initial(localTime(2004, 6, 1, 10));
        ImportLocationDialog dialog(settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Import location"));
        QVERIFY(child<QRadioButton>(&dialog, "localButton")->isChecked());
        QVERIFY(child<QLineEdit>(&dialog, "pathField")->isEnabled());
        QVERIFY(!child<QComboBox>(&dialog, "templateList")->isEnabled());
        QCOMPARE(child<QDateEdit>(&dialog, "beginField")->date(), QDate(2004, 5, 2));
        QCOMPARE(child<QComboBox>(&dialog, "templateList")->count(), 2);
        FileDialog::setNextFileName("/data/x.csv");
        QTest::mouseClick(child<QPushButton>(&dialog, "pathButton"), Qt::LeftButton);
        QCOMPARE(dialog.address(), std::string("file:///data/x.csv"));

        child<QRadioButton>(&dialog, "downloadButton")->setChecked(true);
        QVERIFY(!child<QLineEdit>(&dialog, "pathField")->isEnabled());
        QVERIFY(!child<QPushButton>(&dialog, "pathButton")->isEnabled());
        QVERIFY(child<QDateEdit>(&dialog, "beginField")->isEnabled() &&
                child<QDateEdit>(&dialog, "endField")->isEnabled());
        QVERIFY(child<QComboBox>(&dialog, "templateList")->isEnabled());
        child<QDateEdit>(&dialog, "beginField")->setDate(QDate(2004, 3, 2));
        child<QDateEdit>(&dialog, "endField")->setDate(QDate(2004, 12, 31));
        const std::string address = dialog.address();
        QVERIFY(QString::fromStdString(address).endsWith(
            "/table.csv?b=2&a=2&c=2004&e=31&d=11&f=2004&g=d&ignore=.csv&s=[&symbol]"));
        const ImportSettings taken = dialog.settings();
        QVERIFY(taken.download);
        QCOMPARE(taken.address, address);
        QCOMPARE(taken.localPath, std::string("/data/x.csv"));

        SettingsStore::open()->setValue("ServerImport/URL2", "");
        ImportLocationDialog fewer(settings);
        QCOMPARE(child<QComboBox>(&fewer, "templateList")->count(), 1);
    }

    void aPlainLocalPathIsReadAsAFile()
    {
        TestEnvironment env;
        const std::string path = realDataPath("yahoo_tablecsv_orcl_2000.csv");
        ImportDialog dialog("Oracle", "ORCL", ImportSettings::initial(localTime(2004, 6, 1, 10)));
        dialog.show();
        QVERIFY(readFile(&dialog, path));
        QCOMPARE(child<QLineEdit>(&dialog, "statusLine")->text(), QString(kLoaded));
        const ImportSettings taken = dialog.settings();
        QCOMPARE(taken.address, path);
        QCOMPARE(readFileBytes(taken.loadedFile), readFileBytes(path));
        QVERIFY(QFile::remove(QString::fromStdString(taken.loadedFile)));
    }

    void importsARealHistoryFromALocalServer()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/orcl.csv", readFileBytes(realDataPath("yahoo_tablecsv_orcl_2000.csv")));
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        PortfolioItem oracle = PortfolioItem::newItem("Oracle", 1700000000, 1);
        oracle.symbol = "ORCL";
        doc.addItem(oracle);
        frame.listView()->fill();
        selectItems(frame.listView(), {"Oracle"});
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "importQuotations")->isEnabled());
        QCOMPARE(child<QAction>(&frame, "importQuotations")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));

        QString loadedFile;
        QStringList titles;
        whenModal<ImportDialog>([&](ImportDialog* dialog) {
            titles << dialog->windowTitle();
            QVERIFY(!child<QPushButton>(dialog, "okButton")->isVisibleTo(dialog));
            QVERIFY(!child<QPushButton>(dialog, "viewButton")->isEnabled());
            QVERIFY(readFile(dialog, server.url("/orcl.csv?s=[&symbol]")));
            QCOMPARE(child<QLineEdit>(dialog, "statusLine")->text(), QString(kLoaded));
            QVERIFY(child<QPushButton>(dialog, "okButton")->isVisibleTo(dialog));
            QVERIFY(child<QPushButton>(dialog, "viewButton")->isEnabled());
            loadedFile = QString::fromStdString(dialog->settings().loadedFile);
            MessageDialog::setNextAnswer(QMessageBox::Yes);
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        });
        child<QAction>(&frame, "importQuotations")->trigger();
        QCOMPARE(titles, QStringList{"Import quotations for \"Oracle\""});
        QCOMPARE(server.requests(), std::vector<std::string>{"/orcl.csv?s=ORCL"});
        QVERIFY(loadedFile.endsWith(".txt"));
        QVERIFY(!QFile::exists(loadedFile));
        QCOMPARE(MessageDialog::shownTexts().size(), 1);
        QVERIFY(MessageDialog::shownTexts()[0].startsWith("Import engine found 252 quotations in file:\n\n"));
        const PortfolioItem& merged = doc.item(doc.positionOf(frame.listView()->focusedItem()));
        QCOMPARE(merged.quotations.size(), size_t(252));
        QCOMPARE(merged.quotations.back().value, 29.06);
        QVERIFY(doc.isModified());
    }

    void noAndFailureShowTheDialogAgain()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/orcl.csv", readFileBytes(realDataPath("yahoo_tablecsv_orcl_2000.csv")));
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(PortfolioItem::newItem("Oracle", 1700000000, 1));
        frame.listView()->fill();
        selectItems(frame.listView(), {"Oracle"});

        int shown = 0;
        std::function<void(ImportDialog*)> answer = [&](ImportDialog* dialog) {
            ++shown;
            if (shown == 1) {
                QVERIFY(readFile(dialog, server.url("/missing.csv")));
                QCOMPARE(child<QLineEdit>(dialog, "statusLine")->text(),
                         QStringLiteral("Error: File not found: /missing.csv"));
                QVERIFY(child<QPushButton>(dialog, "readButton")->isVisibleTo(dialog));
                QVERIFY(!child<QPushButton>(dialog, "okButton")->isVisibleTo(dialog));
                QVERIFY(readFile(dialog, server.url("/orcl.csv")));
                MessageDialog::setNextAnswer(QMessageBox::No);
            } else if (shown == 2) {
                QVERIFY2(child<QPushButton>(dialog, "okButton")->isVisibleTo(dialog), "the file read stays loaded");
                QCOMPARE(child<QLineEdit>(dialog, "formatField")->text(), QString(kYahooFormat));
                child<QLineEdit>(dialog, "formatField")->setText("[&year]-[&month]-[&day]");
                MessageDialog::setNextAnswer(QMessageBox::Ok);
            } else {
                QCOMPARE(child<QLineEdit>(dialog, "formatField")->text(), QStringLiteral("[&year]-[&month]-[&day]"));
                dialog->reject();
                return;
            }
            whenModal<ImportDialog>(answer);
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        };
        whenModal<ImportDialog>(answer);
        child<ItemCommands>(&frame, "itemCommands")->importQuotations();
        QCOMPARE(shown, 3);
        const QStringList texts = MessageDialog::shownTexts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts[0].startsWith("Import engine found 252 quotations in file:"));
        QVERIFY(texts[1].startsWith("Error importing quotations from file \""));
        QVERIFY(texts[1].endsWith("\":\nQuotation value match place holder missing!"));
        QVERIFY(doc.item(doc.positionOf(frame.listView()->focusedItem())).quotations.empty());
        QVERIFY(child<ItemCommands>(&frame, "itemCommands")->importer().settings().loadedFile.empty());
    }
};

QTEST_MAIN(TestImportDialog)
#include "ImportDialogTest.moc"
