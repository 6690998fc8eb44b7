// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/items/InvestmentDialog.h"
#include "gui/items/ItemInvestmentPage.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/items/NumberEntry.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// The entry of the dialog's figure at `index` (field order), nullptr past the last one.
QLineEdit* figureField(const InvestmentDialog* dialog, int index)
{
    return dialog->findChild<QLineEdit*>(QStringLiteral("figureField%1").arg(index));
}

// Fills the next Buy, Sell or Dividends dialog with `figures` and presses OK.
void answerDialog(const QStringList& figures, QStringList* defaults = nullptr)
{
    whenModal<InvestmentDialog>([figures, defaults](InvestmentDialog* dialog) {
        for (int i = 0; QLineEdit* field = figureField(dialog, i); ++i) {
            if (defaults)
                *defaults << field->text();
            field->setText(figures.value(i));
        }
        dialog->accept();
    });
}

} // namespace

class TestInvestmentPage : public GuiTestCase {
    Q_OBJECT
public:
    TestInvestmentPage() : GuiTestCase(nullptr, "C") { }

private slots:
    void buySellAndDividends()
    {
        PortfolioDocument doc;
        PortfolioItem item = PortfolioItem::newItem("Fund", 1700000000, 1);
        item.quotations = {{1700000000, 31.5}};
        const auto id = doc.itemId(doc.addItem(item));
        ItemPropertiesDialog sheet(doc, id, 0, -1);
        ItemInvestmentPage* page = child<ItemInvestmentPage>(&sheet, "investmentPage");
        auto figures = [page] {
            return QStringList{child<QLineEdit>(page, "quantityField")->text(),
                               child<QLineEdit>(page, "priceField")->text()};
        };

        QStringList defaults;
        answerDialog({"10", "20", "5"}, &defaults);
        child<QPushButton>(page, "buyButton")->click();
        QCOMPARE(defaults, (QStringList{"0", "31.5", "0"}));
        QCOMPARE(figures(), (QStringList{"10", "20.5"}));
        answerDialog({"10", "30", "0"});
        child<QPushButton>(page, "buyButton")->click();
        QCOMPARE(figures(), (QStringList{"20", "25.25"}));

        MessageDialog::setNextAnswer(QMessageBox::Ok);
        answerDialog({"5", "30", "2"});
        child<QPushButton>(page, "sellButton")->click();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{"Financial result of the selling transaction: 21.75"});
        QCOMPARE(figures(), (QStringList{"15", "25.25"}));

        answerDialog({"15"});
        child<QPushButton>(page, "dividendsButton")->click();
        QCOMPARE(figures(), (QStringList{"15", "24.25"}));
        // Nothing reaches the item before OK.
        QCOMPARE(doc.item(0).quantity, 0.0);
        sheet.accept();
        QCOMPARE(doc.item(0).quantity, 15.0);
        QCOMPARE(doc.item(0).avgBuyPrice, 24.25);
    }

    void cancelAfterABuyLeavesTheItem()
    {
        PortfolioDocument doc;
        PortfolioItem item = PortfolioItem::newItem("Fund", 1700000000, 1);
        item.quantity = 3;
        item.avgBuyPrice = 7;
        const auto id = doc.itemId(doc.addItem(item));
        ItemPropertiesDialog sheet(doc, id, 0, -1);
        answerDialog({"10", "20", "0"});
        child<QPushButton>(child<ItemInvestmentPage>(&sheet, "investmentPage"), "buyButton")->click();
        QCOMPARE(child<QLineEdit>(child<ItemInvestmentPage>(&sheet, "investmentPage"), "quantityField")->text(),
                 QStringLiteral("13"));
        sheet.reject();
        QCOMPARE(doc.item(0).quantity, 3.0);
        QCOMPARE(doc.item(0).avgBuyPrice, 7.0);
    }

    void dialogRefusals_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("figures");
        QTest::addColumn<QString>("message");
        const auto buy = int(InvestmentDialog::Kind::Buy);
        const auto sell = int(InvestmentDialog::Kind::Sell);
        QTest::newRow("buy quantity") << buy << QStringList{"0.001", "1", "0"}
                                      << "Please enter a number between 0.01 and 1000000.";
        QTest::newRow("buy price") << buy << QStringList{"1", "1000001", "0"}
                                   << "Please enter a number between 0.0001 and 1000000.";
        QTest::newRow("buy commission") << buy << QStringList{"1", "1", "-1"}
                                        << "Please enter a number between 0 and 1000000.";
        QTest::newRow("sell fraction") << sell << QStringList{"2.5", "1", "0"} << "Please enter a positive integer.";
        QTest::newRow("sell negative") << sell << QStringList{"-2", "1", "0"} << "Please enter a positive integer.";
        QTest::newRow("sell price") << sell << QStringList{"2", "x", "0"} << "Please enter a number.";
    }

    void dialogRefusals()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, figures);
        QFETCH(QString, message);
        InvestmentDialog dialog(InvestmentDialog::Kind(kind), "Fund", 1.0);
        for (int i = 0; i < figures.size(); ++i)
            child<QLineEdit>(&dialog, qPrintable(QStringLiteral("figureField%1").arg(i)))->setText(figures[i]);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        dialog.accept();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void dividendWithoutQuantityIsRefused()
    {
        ItemInvestmentPage page(PortfolioItem::newItem("Fund", 1700000000, 1));
        child<QLineEdit>(&page, "priceField")->setText("5");
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        answerDialog({"10"});
        child<QPushButton>(&page, "dividendsButton")->click();
        QCOMPARE(MessageDialog::shownTexts(),
                 QStringList{"A dividend needs a quantity of items invested other than 0."});
        QCOMPARE(child<QLineEdit>(&page, "priceField")->text(), QStringLiteral("5"));
    }

    void alarmsAndRefusedFields()
    {
        PortfolioDocument doc;
        PortfolioItem item = PortfolioItem::newItem("Fund", 1700000000, 1);
        item.alarmAboveEnabled = 1;
        item.alarmAbove = 50;
        const auto id = doc.itemId(doc.addItem(item));
        ItemPropertiesDialog sheet(doc, id, 0, -1);
        ItemInvestmentPage* page = child<ItemInvestmentPage>(&sheet, "investmentPage");
        QVERIFY(child<QLineEdit>(page, "aboveField")->isEnabled());
        QVERIFY(!child<QLineEdit>(page, "belowField")->isEnabled());
        QVERIFY(!child<QLineEdit>(page, "diffField")->isEnabled());
        QCOMPARE(child<QLineEdit>(page, "diffField")->text(), QStringLiteral("20"));
        child<QCheckBox>(page, "belowBox")->setChecked(true);
        QVERIFY(child<QLineEdit>(page, "belowField")->isEnabled());
        child<QCheckBox>(page, "aboveBox")->setChecked(false);
        QVERIFY(!child<QLineEdit>(page, "aboveField")->isEnabled());
        child<QLineEdit>(page, "belowField")->setText("ten");
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        sheet.accept();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{"Please enter a number."});
        QCOMPARE(sheet.result(), int(QDialog::Rejected));
        QCOMPARE(child<QTabWidget>(&sheet, "pageTabs")->currentWidget(), page);
        child<QLineEdit>(page, "belowField")->setText("10.5");
        sheet.accept();
        QCOMPARE(doc.item(0).alarmBelowEnabled, 1);
        QCOMPARE(doc.item(0).alarmBelow, 10.5);
        QCOMPARE(doc.item(0).alarmAboveEnabled, 0);
        QCOMPARE(doc.item(0).alarmAbove, 50.0);
    }

    void numbersInTheLocalesAndTheCForm()
    {
        if (!TestEnvironment::setLocale("de_DE.UTF-8"))
            QSKIP("de_DE.UTF-8 is not installed");
        const QList<std::pair<QString, std::optional<double>>> cases{
            {"1,5", 1.5},
            {"1.5", 1.5},
            {" -2,25 ", -2.25},
            {"1.000,5", std::nullopt},
            {"1,000.5", std::nullopt},
            {"1 000", std::nullopt},
            {"", std::nullopt},
            {"inf", std::nullopt},
        };
        for (const auto& [text, expected] : cases)
            QVERIFY2(NumberEntry::read(text) == expected, qPrintable(text));
        QCOMPARE(NumberEntry::text(2.5), QStringLiteral("2,5"));
        TestEnvironment::setLocale("C");
        QCOMPARE(NumberEntry::read("1,5"), std::nullopt);
    }
};

QTEST_MAIN(TestInvestmentPage)
#include "InvestmentPageTest.moc"
