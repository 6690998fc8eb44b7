#include "TestEnvironment.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/StatusPanes.h"
#include "gui/items/ItemCommands.h"
#include "gui/views/CWPapierLView.h"
#include "gui/views/PortfolioListModel.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QtTest>

namespace {

int addItem(CWPapierDoc& doc, const std::string& name, std::vector<CKurs> quotations, double quantity = 0,
            double price = 0)
{
    CWPapier item = CWPapier::newItem(name, 1700000000, 2);
    item.quotations = std::move(quotations);
    item.quantity = quantity;
    item.avgBuyPrice = price;
    return doc.AddItem(item);
}

QStringList columnTexts(CWPapierLView* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts << list->model()->index(row, column).data().toString();
    return texts;
}

} // namespace

class TestPortfolioList : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageDialog::clearShownTexts();
        TestEnvironment::setTimeZone("UTC");
        TestEnvironment::setLocale("C");
    }

    void cellsSortingAndStatusLine()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        CWPapierDoc& doc = frame.document();
        const time_t day = localTime(2024, 3, 4, 17, 0);
        addItem(doc, "beta", {{day - 90 * 86400, 10.0}, {day - 86400, 20.0}, {day, 25.0}}, 10, 20);
        addItem(doc, "Alpha", {{day, 30.0}});
        addItem(doc, "Gamma", {});
        CWPapierLView* list = frame.listView();
        list->fill();
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "Alpha", "beta", "Gamma"}));
        const int beta = 2;
        const auto cell = [&](int row, int column) { return list->model()->index(row, column).data().toString(); };
        QCOMPARE(cell(beta, 2), QStringLiteral("25.0000"));
        QCOMPARE(cell(beta, 3), QStringLiteral("10.0000"));
        QCOMPARE(cell(beta, 4), QStringLiteral("25.0000"));
        QCOMPARE(cell(beta, 5), QStringLiteral("+25.00% (1 Days)"));
        QCOMPARE(cell(beta, 7), QStringLiteral("+150.00% (3.0 Months)"));
        QCOMPARE(cell(beta, 8), QStringLiteral("250.00 (+25.00%)"));
        QCOMPARE(cell(1, 5), QStringLiteral("+0.00% (0 Days)"));
        QCOMPARE(cell(3, 2), QString());
        QCOMPARE(frame.statusPanes()->investedText(),
                 QStringLiteral("Amount invested: 250.00 (Last: +25.00% Total: +25.00%)"));

        // Header 2 twice: by value descending; then header 3: by low ascending, kept by a refresh.
        list->sortByHeader(2);
        list->sortByHeader(2);
        QCOMPARE(columnTexts(list, 0).first(), QStringLiteral("Alpha"));
        QVERIFY(list->sortReverse());
        list->sortByHeader(3);
        QVERIFY(!list->sortReverse());
        frame.actions().refresh->trigger();
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "Gamma", "beta", "Alpha"}));

        frame.actions().percentual->trigger();
        QVERIFY(!list->percentual());
        QCOMPARE(frame.statusPanes()->investedText(),
                 QStringLiteral("Amount invested: 250.00 (Last: +50.00 Total: +50.00)"));
    }

    void selectionAndCompareAll()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        CWPapierDoc& doc = frame.document();
        addItem(doc, "One", {{1700000000, 1.0}});
        addItem(doc, "Two", {{1700000000, 2.0}});
        CWPapierLView* list = frame.listView();
        list->fill();
        QCOMPARE(list->selectedItems().size(), size_t(1));
        const auto focused = list->focusedItem();
        QVERIFY(focused != 0);
        QVERIFY(!frame.actions().compareAll->isChecked());
        frame.actions().compareAll->trigger();
        QCOMPARE(list->selectedItems().size(), size_t(3));
        QVERIFY(frame.actions().compareAll->isChecked());
        frame.actions().compareAll->trigger();
        QCOMPARE(list->selectedItems(), std::vector<CWPapierDoc::ItemId>{focused});
        QCOMPARE(list->focusedItem(), focused);
    }

    void deleteSkipsHistoryAndUpdatingItems()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        CWPapierDoc& doc = frame.document();
        addItem(doc, "Busy", {{1700000000, 1.0}});
        addItem(doc, "Plain", {{1700000000, 2.0}});
        doc.setUpdating(doc.itemId(1), true);
        CWPapierLView* list = frame.listView();
        list->fill();
        list->selectAll();
        MessageDialog::setNextAnswer(QMessageBox::No);
        frame.actions().deleteItem->trigger();
        QCOMPARE(doc.itemCount(), 3);
        MessageDialog::setNextAnswer(QMessageBox::Yes);
        frame.actions().deleteItem->trigger();
        QCOMPARE(MessageDialog::shownTexts().last(), QStringLiteral("Do you really want to delete the marked items?"));
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "Busy"}));
        QVERIFY(doc.isModified());
    }

    void copyAndPasteNamesTheCopies()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        CWPapierDoc& doc = frame.document();
        addItem(doc, "X", {{1700000000, 5.0}});
        CWPapierLView* list = frame.listView();
        list->fill();
        list->selectAll();
        frame.actions().copy->trigger();
        QVERIFY(ItemCommands::clipboardHasPortfolio());
        frame.refreshCommandStates();
        QVERIFY(frame.actions().paste->isEnabled());
        frame.actions().paste->trigger();
        list->fill();
        frame.actions().paste->trigger();
        list->fill();
        QStringList names = columnTexts(list, 0);
        names.sort();
        QCOMPARE(names,
                 (QStringList{" Invested Amount History", "Copy of  Invested Amount History",
                              "Copy of  Invested Amount History (1)", "Copy of X", "Copy of X (1)", "X"}));
        int history = 0;
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            history += doc.item(pos).isInvestedAmountHistory;
        QCOMPARE(history, 1);
        QApplication::clipboard()->clear();
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        frame.items()->paste();
        QCOMPARE(MessageDialog::shownTexts().last(), QStringLiteral("Clipboard data could not be read!"));
    }

    void screenshotOfTheMainWindow()
    {
        const QByteArray target = qgetenv("TICKORA_SCREENSHOT");
        if (target.isEmpty())
            QSKIP("TICKORA_SCREENSHOT names the image to write");
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        CWPapierDoc& doc = frame.document();
        const time_t now = time(nullptr);
        addItem(doc, "ACME Industries", {{now - 200 * 86400, 80.0}, {now - 86400, 101.0}, {now - 3600, 104.2}}, 50, 90);
        addItem(doc, "Global Bond Fund", {{now - 400 * 86400, 52.0}, {now - 86400, 49.3}, {now - 600, 48.9}}, 120, 50);
        addItem(doc, "EUR/USD", {{now - 30 * 86400, 1.07}, {now - 86400, 1.09}, {now - 900, 1.09}});
        addItem(doc, "Tech Index", {{now - 1200 * 86400, 3100.0}, {now - 86400, 4420.0}, {now - 1200, 4460.5}});
        frame.listView()->fill();
        frame.resize(1000, 320);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.grab().save(QString::fromLocal8Bit(target)));
    }
};

QTEST_MAIN(TestPortfolioList)
#include "portfoliolist.moc"
