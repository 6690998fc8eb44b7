#include "gui/importexport/ImportDialog.h"
#include "GuiFixtures.h"
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

GeneralOptions quietOptions()
{
    GeneralOptions options;
    options.Autoupdate = 0;
    return options;
}

// Fills the import dialog, reads the file and waits until it is loaded (or the status says why not).
bool readFile(ImportDialog* dialog, const std::string& address, const char* format = kYahooFormat)
{
    dialog->addressField()->setText(QString::fromStdString(address));
    dialog->formatField()->setText(format);
    dialog->separatorList()->setCurrentIndex(3);
    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    return QTest::qWaitFor(
        [dialog] {
            return !dialog->readButton()->isVisibleTo(dialog) || dialog->statusLine()->text().startsWith("Error");
        },
        20000);
}

} // namespace

class TestImportDialog : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageDialog::clearShownTexts();
        TestEnvironment::setTimeZone("UTC");
    }

    void locationDialogBuildsTheAddress()
    {
        TestEnvironment env;
        ImportSettings settings = ImportSettings::initial(localTime(2004, 6, 1, 10));
        ImportLocationDialog dialog(settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Import location"));
        QVERIFY(dialog.localButton()->isChecked());
        QVERIFY(dialog.pathField()->isEnabled());
        QVERIFY(!dialog.templateList()->isEnabled());
        QCOMPARE(dialog.beginField()->date(), QDate(2004, 5, 2));
        QCOMPARE(dialog.templateList()->count(), 2);
        FileDialog::setNextFileName("/data/x.csv");
        QTest::mouseClick(dialog.pathButton(), Qt::LeftButton);
        QCOMPARE(dialog.address(), std::string("file:///data/x.csv"));

        dialog.downloadButton()->setChecked(true);
        QVERIFY(!dialog.pathField()->isEnabled());
        QVERIFY(!dialog.pathButton()->isEnabled());
        QVERIFY(dialog.beginField()->isEnabled() && dialog.endField()->isEnabled());
        QVERIFY(dialog.templateList()->isEnabled());
        dialog.beginField()->setDate(QDate(2004, 3, 2));
        dialog.endField()->setDate(QDate(2004, 12, 31));
        const std::string address = dialog.address();
        QVERIFY(QString::fromStdString(address).endsWith(
            "/table.csv?b=2&a=2&c=2004&e=31&d=11&f=2004&g=d&ignore=.csv&s=[&symbol]"));
        const ImportSettings taken = dialog.settings();
        QVERIFY(taken.download);
        QCOMPARE(taken.address, address);
        QCOMPARE(taken.localPath, std::string("/data/x.csv"));

        SettingsStore::open()->setValue("ServerImport/URL2", "");
        ImportLocationDialog fewer(settings);
        QCOMPARE(fewer.templateList()->count(), 1);
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
        QVERIFY(frame.actions().importQuotations->isEnabled());
        QCOMPARE(frame.actions().importQuotations->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));

        QString loadedFile;
        QStringList titles;
        whenModal<ImportDialog>([&](ImportDialog* dialog) {
            titles << dialog->windowTitle();
            QVERIFY(!dialog->okButton()->isVisibleTo(dialog));
            QVERIFY(!dialog->viewButton()->isEnabled());
            QVERIFY(readFile(dialog, server.url("/orcl.csv?s=[&symbol]")));
            QCOMPARE(dialog->statusLine()->text(), QString(kLoaded));
            QVERIFY(dialog->okButton()->isVisibleTo(dialog));
            QVERIFY(dialog->viewButton()->isEnabled());
            loadedFile = QString::fromStdString(dialog->settings().loadedFile);
            MessageDialog::setNextAnswer(QMessageBox::Yes);
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        frame.actions().importQuotations->trigger();
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
                QCOMPARE(dialog->statusLine()->text(), QStringLiteral("Error: File not found: /missing.csv"));
                QVERIFY(dialog->readButton()->isVisibleTo(dialog));
                QVERIFY(!dialog->okButton()->isVisibleTo(dialog));
                QVERIFY(readFile(dialog, server.url("/orcl.csv")));
                MessageDialog::setNextAnswer(QMessageBox::No);
            } else if (shown == 2) {
                QVERIFY2(dialog->okButton()->isVisibleTo(dialog), "the file read stays loaded");
                QCOMPARE(dialog->formatField()->text(), QString(kYahooFormat));
                dialog->formatField()->setText("[&year]-[&month]-[&day]");
                MessageDialog::setNextAnswer(QMessageBox::Ok);
            } else {
                QCOMPARE(dialog->formatField()->text(), QStringLiteral("[&year]-[&month]-[&day]"));
                dialog->reject();
                return;
            }
            whenModal<ImportDialog>(answer);
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        };
        whenModal<ImportDialog>(answer);
        frame.items()->importQuotations();
        QCOMPARE(shown, 3);
        const QStringList texts = MessageDialog::shownTexts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts[0].startsWith("Import engine found 252 quotations in file:"));
        QVERIFY(texts[1].startsWith("Error importing quotations from file \""));
        QVERIFY(texts[1].endsWith("\":\nQuotation value match place holder missing!"));
        QVERIFY(doc.item(doc.positionOf(frame.listView()->focusedItem())).quotations.empty());
        QVERIFY(frame.items()->importer().settings().loadedFile.empty());
    }
};

QTEST_MAIN(TestImportDialog)
#include "ImportDialogTest.moc"
