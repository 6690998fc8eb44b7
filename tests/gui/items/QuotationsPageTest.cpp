// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/items/ItemInvestmentPage.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/items/ItemQuotationDialog.h"
#include "gui/items/ItemQuotationsPage.h"
#include "gui/items/MultiplyDialog.h"
#include "gui/items/SplitDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <QtTest>

namespace {

time_t day(int d, int hour = 18)
{
    return localTime(2024, 3, d, hour);
}

// History values newest first, as the list shows them.
std::vector<double> newestFirst(const PortfolioItem& item)
{
    std::vector<double> values;
    for (auto record = item.quotations.rbegin(); record != item.quotations.rend(); ++record)
        values.push_back(record->value);
    return values;
}

QStringList rows(const ItemQuotationsPage* page)
{
    QStringList texts;
    for (int row = 0; row < child<QListWidget>(page, "quotationList")->count(); ++row)
        texts << child<QListWidget>(page, "quotationList")->item(row)->text();
    return texts;
}

// Enters `value` at `when` into the next "Item quotation" dialog.
void answerQuotation(time_t when, const QString& value)
{
    whenModal<ItemQuotationDialog>([when, value](ItemQuotationDialog* dialog) {
        const QDateTime at = QDateTime::fromSecsSinceEpoch(when);
        child<QDateEdit>(dialog, "dateField")->setDate(at.date());
        child<QTimeEdit>(dialog, "timeField")->setTime(at.time());
        child<QLineEdit>(dialog, "valueField")->setText(value);
        dialog->accept();
    });
}

struct Portfolio {
    PortfolioDocument doc;
    PortfolioDocument::ItemId fund;
    PortfolioDocument::ItemId rate;

    Portfolio()
    {
        doc.newPortfolio();
        PortfolioItem item = PortfolioItem::newItem("Fund", 1700000000, 1);
        item.quantity = 10;
        item.avgBuyPrice = 8;
        item.alarmAbove = 20;
        item.quotations = {{day(1), 4}, {day(2), 8}, {day(3), 16}};
        fund = doc.itemId(doc.addItem(item));
        PortfolioItem exchange = PortfolioItem::newItem("Rate", 1700000000, 2);
        exchange.quotations = {{day(2, 9), 2}};
        rate = doc.itemId(doc.addItem(exchange));
    }
    const PortfolioItem& item() const { return doc.item(doc.positionOf(fund)); }
};

} // namespace

class TestQuotationsPage : public GuiTestCase {
    Q_OBJECT
public:
    TestQuotationsPage() : GuiTestCase("Europe/Berlin", "C") { }

private slots:
    void rowsNewestFirstWithTheFirstSelection()
    {
        TestEnvironment env;
        Portfolio p;
        ItemQuotationsPage page(p.doc, p.fund, 0, nullptr);
        QCOMPARE(rows(&page).size(), 3);
        QCOMPARE(child<QListWidget>(&page, "quotationList")->item(0)->text(),
                 ItemQuotationsPage::rowText({day(3), 16}, 4));
        QVERIFY(child<QListWidget>(&page, "quotationList")->item(0)->text().endsWith(QStringLiteral("    16.0000")));
        QCOMPARE(child<QListWidget>(&page, "quotationList")->currentRow(), 2);
        for (const char* button : {"editButton", "deleteButton", "splitButton", "deleteAllButton"})
            QVERIFY(child<QPushButton>(&page, button)->isEnabled());
    }

    void insertEditAndDeleteRows()
    {
        TestEnvironment env;
        Portfolio p;
        ItemQuotationsPage page(p.doc, p.fund, -1, nullptr);
        // Older than all: the bottom row, three blanks.
        answerQuotation(day(1, 9), "2");
        child<QPushButton>(&page, "insertButton")->click();
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{16, 8, 4, 2}));
        QCOMPARE(rows(&page).last(), ItemQuotationsPage::rowText({day(1, 9), 2}, 3));
        // The time of an existing record changes its value; the list still shows one row for it.
        answerQuotation(day(2), "9");
        QTest::keyClick(child<QListWidget>(&page, "quotationList"), Qt::Key_Insert);
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{16, 9, 4, 2}));
        QCOMPARE(rows(&page).size(), 4);
        // Editing the newest to a time before day 2 moves its row down.
        child<QListWidget>(&page, "quotationList")->setCurrentRow(0);
        answerQuotation(day(1, 20), "15");
        child<QPushButton>(&page, "editButton")->click();
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{9, 15, 4, 2}));
        QCOMPARE(child<QListWidget>(&page, "quotationList")->currentRow(), 1);
        QCOMPARE(child<QListWidget>(&page, "quotationList")->item(1)->text(),
                 ItemQuotationsPage::rowText({day(1, 20), 15}, 4));
        // The Delete key deletes the caret's record and keeps the caret there.
        QTest::keyClick(child<QListWidget>(&page, "quotationList"), Qt::Key_Delete);
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{9, 4, 2}));
        QCOMPARE(child<QListWidget>(&page, "quotationList")->currentRow(), 1);
        QCOMPARE(rows(&page).size(), 3);
    }

    void deleteAllAsksFirst()
    {
        TestEnvironment env;
        Portfolio p;
        ItemQuotationsPage page(p.doc, p.fund, -1, nullptr);
        MessageDialog::setNextAnswer(QMessageBox::No);
        child<QPushButton>(&page, "deleteAllButton")->click();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{"Do you really want to delete all items?"});
        QCOMPARE(p.item().quotations.size(), size_t(3));
        MessageDialog::setNextAnswer(QMessageBox::Yes);
        child<QPushButton>(&page, "deleteAllButton")->click();
        QVERIFY(p.item().quotations.empty());
        QCOMPARE(child<QListWidget>(&page, "quotationList")->count(), 0);
        for (const char* button : {"editButton", "deleteButton", "splitButton", "deleteAllButton"})
            QVERIFY(!child<QPushButton>(&page, button)->isEnabled());
        QVERIFY(child<QPushButton>(&page, "insertButton")->isEnabled());
    }

    void splitInvertAndMultiply()
    {
        TestEnvironment env;
        Portfolio p;
        ItemPropertiesDialog sheet(p.doc, p.fund, 1, -1);
        ItemQuotationsPage* page = child<ItemQuotationsPage>(&sheet, "quotationsPage");
        // A divisor below the range is refused before anything is split.
        child<QListWidget>(page, "quotationList")->setCurrentRow(1);
        whenModal<SplitDialog>([](SplitDialog* dialog) {
            QCOMPARE(child<QLineEdit>(dialog, "divisorField")->text(), QStringLiteral("2"));
            child<QLineEdit>(dialog, "divisorField")->setText("0.05");
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            dialog->accept();
            child<QLineEdit>(dialog, "divisorField")->setText("2");
            dialog->accept();
        });
        child<QPushButton>(page, "splitButton")->click();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{"Please enter a number between 0.1 and 1000."});
        // At a middle row: the newer record stays.
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{16, 4, 2}));
        QCOMPARE(child<QListWidget>(page, "quotationList")->item(0)->text(),
                 ItemQuotationsPage::rowText({day(3), 16}, 4));
        QCOMPARE(child<QListWidget>(page, "quotationList")->item(1)->text(),
                 ItemQuotationsPage::rowText({day(2), 4}, 3));
        QCOMPARE(p.item().quantity, 20.0);
        QCOMPARE(child<QLineEdit>(child<ItemInvestmentPage>(&sheet, "investmentPage"), "quantityField")->text(),
                 QStringLiteral("20"));
        QCOMPARE(child<QLineEdit>(child<ItemInvestmentPage>(&sheet, "investmentPage"), "priceField")->text(),
                 QStringLiteral("4"));

        child<QPushButton>(page, "invertButton")->click();
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{0.0625, 0.25, 0.5}));
        QCOMPARE(child<QListWidget>(page, "quotationList")->currentRow(), 1);
        child<QPushButton>(page, "invertButton")->click();
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{16, 4, 2}));

        // Each record times the newest rate at or before it; day 1 is older than every rate.
        whenModal<MultiplyDialog>([](MultiplyDialog* dialog) {
            QCOMPARE(child<QListWidget>(dialog, "itemList")->count(), 1);
            QCOMPARE(child<QListWidget>(dialog, "itemList")->item(0)->text(), QStringLiteral("Rate"));
            dialog->accept();
        });
        child<QPushButton>(page, "multiplyButton")->click();
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{32, 8, 2}));

        // The sheet confirmed keeps the split figures; the history changes were already made.
        sheet.accept();
        QCOMPARE(p.item().quantity, 20.0);
        QCOMPARE(p.item().avgBuyPrice, 4.0);
        QCOMPARE(p.item().alarmAbove, 10.0);
    }

    void splitAtTheTopDividesAllAndCancelKeepsTheHistory()
    {
        TestEnvironment env;
        Portfolio p;
        {
            ItemPropertiesDialog sheet(p.doc, p.fund, 1, -1);
            whenModal<SplitDialog>([](SplitDialog* dialog) { dialog->accept(); });
            child<QPushButton>(child<ItemQuotationsPage>(&sheet, "quotationsPage"), "splitButton")->click();
            sheet.reject();
        }
        QCOMPARE(newestFirst(p.item()), (std::vector<double>{8, 4, 2}));
        QCOMPARE(p.item().quantity, 20.0);
    }

    void quotationTimeShowsHoursAndMinutes()
    {
        // The seconds are not shown, and a record's own seconds are kept.
        const time_t recorded = day(2, 20) + 15 * 60 + 37;
        ItemQuotationDialog record("Fund", recorded, 1.0);
        QCOMPARE(child<QTimeEdit>(&record, "timeField")->text(), QStringLiteral("20:15"));
        record.accept();
        QCOMPARE(record.quotationTime(), recorded);
        ItemQuotationDialog manual("Fund", recorded);
        QCOMPARE(child<QTimeEdit>(&manual, "timeField")->text(), QStringLiteral("20:00"));
    }

    void quotationDialogRefusals_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString range = QStringLiteral("Please enter a number between 0.001 and 999999999.");
        const QString dates = QStringLiteral("Error: Date outside 1901-12-13 to 2038-01-19!");
        QTest::newRow("too small") << QDate(2024, 1, 1) << "0.0001" << range;
        QTest::newRow("no number") << QDate(2024, 1, 1) << "12a"
                                   << "Please enter a number.";
        QTest::newRow("group separator") << QDate(2024, 1, 1) << "1,000"
                                         << "Please enter a number.";
        QTest::newRow("after 2038") << QDate(2038, 1, 20) << "5" << dates;
        QTest::newRow("before 1901") << QDate(1901, 12, 12) << "5" << dates;
    }

    void quotationDialogRefusals()
    {
        QFETCH(QDate, date);
        QFETCH(QString, value);
        QFETCH(QString, message);
        ItemQuotationDialog dialog("Fund", 1700000000, 1.0);
        child<QDateEdit>(&dialog, "dateField")->setDate(date);
        child<QLineEdit>(&dialog, "valueField")->setText(value);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        dialog.accept();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestQuotationsPage)
#include "QuotationsPageTest.moc"
