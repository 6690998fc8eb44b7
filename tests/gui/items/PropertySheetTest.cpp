// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "OpenedUrls.h"
#include "TestEnvironment.h"
#include "core/servers/ServerStore.h"
#include "gui/app/MainWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/items/ColourSample.h"
#include "gui/items/ItemChartPage.h"
#include "gui/items/ItemGeneralPage.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/items/NoteDialog.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

QStringList tabTitles(const ItemPropertiesDialog& sheet)
{
    QStringList titles;
    for (int i = 0; i < child<QTabWidget>(&sheet, "pageTabs")->count(); ++i)
        titles << child<QTabWidget>(&sheet, "pageTabs")->tabText(i);
    return titles;
}

QStringList comboEntries(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

ServerConfig storedServer(const std::string& url)
{
    ServerConfig config = ServerConfig::newItemDefaults();
    config.URL = url;
    config.DECIMAL = ".";
    config.Timeout = 30;
    return config;
}

// The sheet a command opens, with its tabs and current tab; the sheet is cancelled.
struct Opened {
    QStringList tabs;
    QString current;
};

Opened openedBy(const std::function<void()>& command)
{
    Opened opened;
    whenModal<ItemPropertiesDialog>([&](ItemPropertiesDialog* sheet) {
        opened.tabs = tabTitles(*sheet);
        opened.current =
            child<QTabWidget>(sheet, "pageTabs")->tabText(child<QTabWidget>(sheet, "pageTabs")->currentIndex());
        sheet->reject();
    });
    command();
    return opened;
}

} // namespace

class TestPropertySheet : public GuiTestCase {
    Q_OBJECT
public:
    TestPropertySheet() : GuiTestCase(nullptr, "C") { }

private slots:
    void pagesAndStartPagePerItemKind()
    {
        TestEnvironment env;
        PortfolioDocument doc;
        doc.newPortfolio();
        const auto history = doc.itemId(doc.investedAmountHistoryPosition());
        const auto item = doc.itemId(doc.addItem(PortfolioItem::newItem("Fund", 1700000000, 1)));
        const QStringList all{"General", "Quotations", "Graphic", "Investment"};
        const QStringList historyPages{"Quotations", "Graphic"};
        const QList<std::tuple<PortfolioDocument::ItemId, int, QStringList, QString>> cases{
            {item, 0, all, "General"},
            {item, 1, all, "Quotations"},
            {item, 2, all, "Graphic"},
            {history, 0, historyPages, "Quotations"},
            {history, 1, historyPages, "Quotations"},
            {history, 2, historyPages, "Graphic"},
        };
        for (const auto& [id, request, pages, current] : cases) {
            ItemPropertiesDialog sheet(doc, id, request, -1);
            QCOMPARE(tabTitles(sheet), pages);
            QCOMPARE(
                child<QTabWidget>(&sheet, "pageTabs")->tabText(child<QTabWidget>(&sheet, "pageTabs")->currentIndex()),
                current);
        }
        ItemPropertiesDialog created(doc, PortfolioItem::newItem("", 1700000000, 3));
        QCOMPARE(tabTitles(created), (QStringList{"General", "Graphic", "Investment"}));
    }

    void newItemOnUserDefinedStoresAnEmptyServerName()
    {
        TestEnvironment env;
        QVERIFY(ServerStore::writeServerConfig("beta", storedServer("http://b/")));
        QVERIFY(ServerStore::writeServerConfig("Alpha", storedServer("http://a/")));
        PortfolioDocument doc;
        doc.newPortfolio();
        for (const auto& [choice, stored] : {std::pair{0, std::string()}, std::pair{1, std::string("Alpha")}}) {
            ItemPropertiesDialog sheet(doc, PortfolioItem::newItem("", 1700000000, 3));
            ItemGeneralPage* general = sheet.generalPage();
            QCOMPARE(comboEntries(child<QComboBox>(general, "serverList")),
                     (QStringList{"-- User defined --", "Alpha", "beta"}));
            QCOMPARE(child<QComboBox>(general, "serverList")->currentIndex(), 0);
            general->nameField()->setText(QStringLiteral("New %1").arg(choice));
            child<QComboBox>(general, "serverList")->setCurrentIndex(choice);
            sheet.accept();
            const PortfolioItem& added = doc.item(doc.positionOf(sheet.item()));
            QCOMPARE(added.name, "New " + std::to_string(choice));
            QCOMPARE(added.server.name, stored);
            QCOMPARE(added.server.URL, std::string("http://www."));
            QCOMPARE(added.isInvestedAmountHistory, 0);
        }
        QCOMPARE(doc.itemCount(), 3);
    }

    void namesThatCouldNeverBeAddressedKeepTheSheetOpen()
    {
        TestEnvironment env;
        PortfolioDocument doc;
        doc.addItem(PortfolioItem::newItem("Acme", 1700000000, 1));
        const auto twin = doc.itemId(doc.addItem(PortfolioItem::newItem("Twin", 1700000000, 2)));
        doc.addItem(PortfolioItem::newItem("Twin", 1700000000, 3));
        for (const char* name : {"Acme", "Tw\tin", "", " \u00a0 "}) {
            ItemPropertiesDialog sheet(doc, PortfolioItem::newItem("", 1700000000, 4));
            sheet.generalPage()->nameField()->setText(name);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            sheet.accept();
            QCOMPARE(sheet.result(), int(QDialog::Rejected));
        }
        QCOMPARE(MessageDialog::shownTexts(),
                 (QStringList{"Acme already exists in the portfolio.",
                              "An item name must not contain a tab, a line break or another control character.",
                              "Please enter a name for the item.", "Please enter a name for the item."}));
        QCOMPARE(doc.itemCount(), 3);
        // A name a file already holds twice stays as it is; renaming onto another item's is refused.
        ItemPropertiesDialog unchanged(doc, twin, 0, -1);
        unchanged.accept();
        QCOMPARE(unchanged.result(), int(QDialog::Accepted));
        ItemPropertiesDialog renamed(doc, twin, 0, -1);
        renamed.generalPage()->nameField()->setText("Acme");
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        renamed.accept();
        QCOMPARE(renamed.result(), int(QDialog::Rejected));
        QCOMPARE(doc.item(doc.positionOf(twin)).name, std::string("Twin"));
        // A blank name from an older file is not kept either.
        const auto blank = doc.itemId(doc.addItem(PortfolioItem::newItem(" ", 1700000000, 5)));
        ItemPropertiesDialog kept(doc, blank, 0, -1);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        kept.accept();
        QCOMPARE(kept.result(), int(QDialog::Rejected));
        QCOMPARE(MessageDialog::shownTexts().last(), QStringLiteral("Please enter a name for the item."));
        QCOMPARE(kept.focusWidget(), kept.generalPage()->nameField());
    }

    void typingStartsInTheNameField()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        frame.document().addItem(PortfolioItem::newItem("Fund", 1700000000, 1));
        frame.listView()->fill();
        selectItems(frame.listView(), {"Fund"});
        frame.show();
        QStringList typed;
        for (const char* command : {"insertItem", "properties"}) {
            whenModal<ItemPropertiesDialog>([&typed](ItemPropertiesDialog* sheet) {
                QLineEdit* name = sheet->generalPage()->nameField();
                name->end(false);
                QTest::keyClicks(sheet->focusWidget(), "Acme");
                typed << name->text();
                sheet->reject();
            });
            child<QAction>(&frame, command)->trigger();
        }
        QCOMPARE(typed, (QStringList{"Acme", "FundAcme"}));
    }

    void renamingChangesTheTitleAndCancelKeepsTheName()
    {
        TestEnvironment env;
        PortfolioDocument doc;
        PortfolioItem fund = PortfolioItem::newItem("Old", 1700000000, 1);
        fund.note = "first line";
        const auto id = doc.itemId(doc.addItem(fund));
        for (const bool confirm : {false, true}) {
            ItemPropertiesDialog sheet(doc, id, 0, -1);
            QCOMPARE(sheet.windowTitle(), QStringLiteral("Properties of Old"));
            QTest::keyClicks(sheet.generalPage()->nameField(), "er");
            QCOMPARE(sheet.windowTitle(), QStringLiteral("Properties of Older"));
            whenModal<NoteDialog>([](NoteDialog* note) {
                child<QPlainTextEdit>(note, "noteField")->appendPlainText("second line");
                note->accept();
            });
            child<QPushButton>(sheet.generalPage(), "noteButton")->click();
            QCOMPARE(child<QPlainTextEdit>(sheet.generalPage(), "noteField")->toPlainText(),
                     QStringLiteral("first line\nsecond line"));
            confirm ? sheet.accept() : sheet.reject();
            QCOMPARE(doc.item(0).name, std::string(confirm ? "Older" : "Old"));
            QCOMPARE(doc.item(0).note, std::string(confirm ? "first line\nsecond line" : "first line"));
        }
    }

    void missingServerAndServerDeletion()
    {
        TestEnvironment env;
        QVERIFY(ServerStore::writeServerConfig("Alpha", storedServer("http://a/")));
        PortfolioDocument doc;
        PortfolioItem item = PortfolioItem::newItem("Fund", 1700000000, 1);
        item.server.name = "Gone";
        doc.addItem(item);
        {
            ItemPropertiesDialog sheet(doc, doc.itemId(0), 0, -1);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            sheet.show();
            QTRY_COMPARE(MessageDialog::shownTexts(),
                         QStringList{"The server properties for 'Gone'\n do not exist on this computer!"});
            QCOMPARE(child<QComboBox>(sheet.generalPage(), "serverList")->currentIndex(), -1);
            // "-- User defined --" is no stored server: Delete leaves everything.
            child<QComboBox>(sheet.generalPage(), "serverList")->setCurrentIndex(0);
            child<QPushButton>(sheet.generalPage(), "deleteButton")->click();
            QCOMPARE(ServerStore::listServerNames(), std::vector<std::string>{"Alpha"});
            child<QComboBox>(sheet.generalPage(), "serverList")->setCurrentIndex(1);
            child<QPushButton>(sheet.generalPage(), "deleteButton")->click();
            QVERIFY(ServerStore::listServerNames().empty());
            QCOMPARE(comboEntries(child<QComboBox>(sheet.generalPage(), "serverList")),
                     QStringList{"-- User defined --"});
            // No entry chosen: the item keeps its server name.
            sheet.accept();
            QCOMPARE(doc.item(0).server.name, std::string("Gone"));
        }
        // Wizard and Edit ask for the server dialogs, which answer through the page.
        ItemPropertiesDialog sheet(doc, doc.itemId(0), 0, -1);
        ItemGeneralPage* general = sheet.generalPage();
        QSignalSpy wizard(general, &ItemGeneralPage::wizardRequested);
        QSignalSpy edit(general, &ItemGeneralPage::editRequested);
        QTest::mouseClick(child<QPushButton>(general, "wizardButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(general, "editButton"), Qt::LeftButton);
        QCOMPARE(wizard.count(), 1);
        QCOMPARE(edit.count(), 1);
        QCOMPARE(general->serverChoice(), std::string("Gone"));
        ServerConfig own = storedServer("http://own.example/");
        general->setOwnRules(own);
        general->chooseServer(ServerConfig::kUserDefinedName);
        QCOMPARE(child<QComboBox>(general, "serverList")->currentIndex(), 0);
        QCOMPARE(general->serverChoice(), std::string(ServerConfig::kUserDefinedName));
        QCOMPARE(general->currentRules().URL, own.URL);
        sheet.accept();
        QCOMPARE(doc.item(0).server.name, std::string());
        QCOMPARE(doc.item(0).server.URL, own.URL);
    }

    void testAndWebPageUseThePagesCurrentEntries()
    {
        TestEnvironment env;
        TestEnvironment::setTimeZone("UTC");
        HttpTestServer server;
        server.addPage("/quote.html", "<p>NEW 42.5</p>");
        QVERIFY(ServerStore::writeServerConfig("Stored", storedServer("http://stored.example/[&symbol]")));
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(pageItem("Fund", "OLD", server.url("/quote.html")));
        ItemPropertiesDialog sheet(doc, doc.itemId(1), 0, -1);
        sheet.setTester([&](const std::string& name, const std::string& symbol, const ServerConfig& rules) {
            frame.updates()->startTest(name, symbol, rules);
        });
        ItemGeneralPage* general = sheet.generalPage();
        general->symbolField()->setText("NEW");
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        child<QPushButton>(general, "testButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!MessageDialog::shownTexts().isEmpty(), 20000);
        QVERIFY2(MessageDialog::shownTexts().constFirst().startsWith("Quotation for 'Fund':\nValue: 42.5000"),
                 qPrintable(MessageDialog::shownTexts().constFirst()));
        QVERIFY(doc.item(1).quotations.empty());

        OpenedUrls opened;
        child<QPushButton>(general, "webPageButton")->click();
        child<QComboBox>(general, "serverList")
            ->setCurrentIndex(child<QComboBox>(general, "serverList")->findText("Stored"));
        child<QPushButton>(general, "webPageButton")->click();
        QCOMPARE(
            opened.urls,
            (QList<QUrl>{QUrl(QString::fromStdString(server.url("/quote.html"))), QUrl("http://stored.example/NEW")}));
    }

    void graphicPageSettingsAndColour()
    {
        TestEnvironment env;
        TestEnvironment::setTimeZone("Europe/Berlin");
        PortfolioDocument doc;
        PortfolioItem item = PortfolioItem::newItem("Fund", localTime(2024, 1, 10, 9, 30), 1);
        item.usePeriodStart = 1;
        item.chartColour = 0x0000FF;
        doc.addItem(item);
        ItemPropertiesDialog sheet(doc, doc.itemId(0), 2, -1);
        ItemChartPage* page = child<ItemChartPage>(&sheet, "graphicPage");
        QVERIFY(child<QDateEdit>(page, "startPicker")->isEnabled());
        QVERIFY(!child<QDateEdit>(page, "endPicker")->isEnabled());
        child<QCheckBox>(page, "endBox")->setChecked(true);
        QVERIFY(child<QDateEdit>(page, "endPicker")->isEnabled());
        child<QDateEdit>(page, "startPicker")->setDate(QDate(2023, 5, 1));
        child<QCheckBox>(page, "startBox")->setChecked(false);
        QVERIFY(!child<QDateEdit>(page, "startPicker")->isEnabled());
        child<QButtonGroup>(page, "graphGroup")->button(3)->setChecked(true);
        child<QButtonGroup>(page, "axisGroup")->button(1)->setChecked(true);
        child<QCheckBox>(page, "gridBox")->setChecked(false);

        QColor offered;
        whenModal<QColorDialog>([&](QColorDialog* dialog) {
            offered = dialog->currentColor();
            dialog->setCurrentColor(QColor(0, 100, 200));
            dialog->accept();
        });
        child<QPushButton>(page, "colourButton")->click();
        QCOMPARE(offered, QColor(255, 0, 0));
        QCOMPARE(QColorDialog::customColor(0), QColor(255, 0, 0));
        QCOMPARE(QColorDialog::customColor(15), QColor(Qt::white));
        whenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
        child<QPushButton>(page, "colourButton")->click();
        QCOMPARE(page->chartColour(), 0xC86400u);

        child<ColourSample>(page, "colourSample")->resize(30, 12);
        const QImage sample = child<ColourSample>(page, "colourSample")->grab().toImage();
        QCOMPARE(sample.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(sample.pixelColor(1, 5), QColor(130, 130, 130));
        QCOMPARE(sample.pixelColor(2, 5), QColor(130, 130, 130));
        QCOMPARE(sample.pixelColor(3, 5), QColor(0, 100, 200));

        sheet.accept();
        const PortfolioItem& stored = doc.item(0);
        QCOMPARE(stored.usePeriodStart, 0);
        QCOMPARE(stored.usePeriodEnd, 1);
        // The picker's date with the stored time of day.
        QCOMPARE(stored.periodStart, localTime(2023, 5, 1, 9, 30));
        QCOMPARE(stored.graphValues, 3);
        QCOMPARE(stored.axisValues, 1);
        QCOMPARE(stored.showGridLines, 0);
        QCOMPARE(stored.chartColour, 0xC86400u);
    }

    void commandsOpenTheSheet()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(PortfolioItem::newItem("Fund", 1700000000, 1));
        PortfolioListView* list = frame.listView();
        list->fill();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        list->setFocus();
        selectItems(list, {"Fund"});
        frame.refreshCommandStates();
        const QStringList all{"General", "Quotations", "Graphic", "Investment"};
        const QList<std::tuple<Qt::Key, Qt::KeyboardModifiers, QString>> keys{
            {Qt::Key_Return, Qt::NoModifier, "General"},
            {Qt::Key_Enter, Qt::NoModifier, "General"},
            {Qt::Key_Enter, Qt::KeypadModifier, "General"},
            {Qt::Key_Q, Qt::ControlModifier, "Quotations"},
        };
        for (const auto& [key, modifiers, page] : keys) {
            // The offscreen platform does not give the focus back after a modal dialog.
            frame.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&frame));
            const Opened opened =
                openedBy([&, key = key, modifiers = modifiers] { QTest::keyClick(list, key, modifiers); });
            QVERIFY2(opened.tabs == all, qPrintable(QKeySequence(key | modifiers).toString()));
            QCOMPARE(opened.current, page);
        }
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        const QPoint row = list->visualRect(list->model()->index(1, 0)).center();
        const Opened clicked = openedBy([&] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        });
        QCOMPARE(clicked.current, QStringLiteral("General"));
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        const Opened inserted = openedBy([&] { QTest::keyClick(list, Qt::Key_Insert); });
        QCOMPARE(inserted.tabs, (QStringList{"General", "Graphic", "Investment"}));
        QCOMPARE(doc.itemCount(), 2);

        // An item being updated offers no Properties.
        doc.setUpdating(doc.itemId(1), true);
        frame.refreshCommandStates();
        QVERIFY(!child<QAction>(&frame, "properties")->isEnabled());
        QVERIFY(child<QAction>(&frame, "showQuotations")->isEnabled());
    }

    void firstStartHintUntilTheFirstItem()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        PortfolioListView* list = frame.listView();
        frame.resize(800, 400);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QColor grey = list->palette().color(QPalette::Disabled, QPalette::Text);
        auto greyPixels = [&] {
            const QImage image = list->viewport()->grab().toImage();
            int count = 0;
            for (int y = image.height() / 3; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixelColor(x, y) == grey;
            return count;
        };
        QVERIFY(list->showsFirstStartHint());
        QCOMPARE(PortfolioListView::firstStartHint(),
                 QStringLiteral("Press Ins or choose Item \u203A Insert new item to add your first security."));
        QVERIFY(greyPixels() > 20);
        frame.document().addItem(PortfolioItem::newItem("Fund", 1700000000, 1));
        list->fill();
        QVERIFY(!list->showsFirstStartHint());
        QCOMPARE(greyPixels(), 0);
    }

    void newUserAddsAnItemAndGetsItsQuotation()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/acme.html", "<p>ACM 12.5</p>");
        ServerConfig local = storedServer(server.url("/[&name].html"));
        local.Text_before_Value = "[&symbol]";
        QVERIFY(ServerStore::writeServerConfig("Local quotes", local));
        MainWindow frame(quietOptions(), false);
        PortfolioListView* list = frame.listView();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        list->setFocus();
        whenModal<ItemPropertiesDialog>([](ItemPropertiesDialog* sheet) {
            ItemGeneralPage* general = sheet->generalPage();
            QTest::keyClicks(general->nameField(), "acme");
            QTest::keyClicks(general->symbolField(), "ACM");
            child<QComboBox>(general, "serverList")
                ->setCurrentIndex(child<QComboBox>(general, "serverList")->findText("Local quotes"));
            sheet->accept();
        });
        QTest::keyClick(list, Qt::Key_Insert);
        QCOMPARE(frame.document().itemCount(), 2);
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "updateAll")->isEnabled());
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(list, Qt::Key_U, Qt::ControlModifier);
        auto valueShown = [&] {
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                if (list->model()->index(row, 0).data().toString() == QLatin1String("acme"))
                    return list->model()->index(row, 2).data().toString();
            }
            return QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(valueShown(), QStringLiteral("12.5000"), 20000);
        QVERIFY(!list->showsFirstStartHint());
    }

    void screenshotOfTheSheet()
    {
        const QByteArray target = qgetenv("TICKORA_SCREENSHOT_PROPERTIES");
        if (target.isEmpty())
            QSKIP("TICKORA_SCREENSHOT_PROPERTIES names the image to write");
        TestEnvironment env;
        QVERIFY(ServerStore::writeServerConfig("Example quotes", storedServer("https://quotes.example/[&symbol]")));
        PortfolioDocument doc;
        PortfolioItem item = PortfolioItem::newItem("ACME Industries", 1700000000, 1);
        item.symbol = "US0000000001";
        item.note = "Bought for the long run.";
        item.server.name = "Example quotes";
        doc.addItem(item);
        ItemPropertiesDialog sheet(doc, doc.itemId(0), 0, -1);
        // Only for the button's look: the picture runs no test.
        sheet.setTester([](const std::string&, const std::string&, const ServerConfig&) {});
        sheet.resize(520, 420);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QVERIFY(sheet.grab().save(QString::fromLocal8Bit(target)));
    }
};

QTEST_MAIN(TestPropertySheet)
#include "PropertySheetTest.moc"
