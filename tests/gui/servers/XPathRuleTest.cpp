// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathRule.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "core/extract/PageText.h"
#include "gui/servers/ServerPropertiesDialog.h"
#include "gui/servers/WizardRulePage.h"
#include "gui/widgets/MessageDialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

ServerConfig xpathRules()
{
    ServerConfig config = ServerConfig::newServerDefaults();
    config.URL = "http://127.0.0.1/q";
    config.Filtering = 1;
    config.Format = 0;
    config.RegExp = XPathRule("//a | //b", "", "//t").encode();
    return config;
}

QLineEdit* field(QWidget& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

} // namespace

class TestXPathRule : public GuiTestCase {
    Q_OBJECT
private slots:
    void theServerDialogShowsStoresAndRefusesExpressions()
    {
        TestEnvironment env;
        ServerPropertiesDialog dialog(xpathRules(), "Site", "Item", "SYM");
        dialog.show();
        auto* choice = dialog.findChild<QRadioButton*>("xpathChoice");
        QVERIFY(choice && choice->isChecked());
        QCOMPARE(choice->text(), QStringLiteral("XPath"));
        QVERIFY(!child<QRadioButton>(&dialog, "advancedButton")->isChecked());
        QVERIFY(child<QWidget>(&dialog, "advancedSection")->isVisible());
        QCOMPARE(field(dialog, "xpathValue")->text(), QStringLiteral("//a | //b"));
        QCOMPARE(field(dialog, "xpathDate")->text(), QString());
        QVERIFY(field(dialog, "xpathDate")->isEnabled());
        QVERIFY(!child<QLineEdit>(&dialog, "regExpField")->isEnabled());
        QVERIFY(!child<QLineEdit>(&dialog, "valuePathField")->isEnabled());
        field(dialog, "xpathDate")->setText("//d");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.config().Filtering, 1);
        QCOMPARE(dialog.config().RegExp, std::string("(?!)xpath://a \\| //b|date://d|time://t"));

        const std::pair<const char*, const char*> refused[] = {
            {"//td[", "Invalid XPath expression: Invalid expression"},
            {"", "The XPath rule needs a value expression."},
        };
        for (const auto& [expression, message] : refused) {
            MessageDialog::clearShownTexts();
            ServerPropertiesDialog standard(ServerConfig::newServerDefaults(), "Site", "Item", "SYM");
            standard.toggleAdvanced();
            standard.findChild<QRadioButton*>("xpathChoice")->setChecked(true);
            QVERIFY(field(standard, "xpathValue")->isEnabled());
            field(standard, "xpathValue")->setText(expression);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            standard.accept();
            QVERIFY(standard.result() != QDialog::Accepted);
            QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
        }
        ServerPropertiesDialog back(xpathRules(), "Site", "Item", "SYM");
        child<QRadioButton>(&back, "standardButton")->setChecked(true);
        QVERIFY(!field(back, "xpathValue")->isEnabled());
        back.accept();
        QCOMPARE(back.config().Filtering, 0);
    }

    void theWizardListsXPathRulesBelowTheStartTexts()
    {
        TestEnvironment env;
        const std::string raw = "<html><body><table><tr><td>Kurs</td><td>22,65 EUR</td></tr></table></body></html>";
        WizardRulePage page(1, ".", ",");
        page.setPages({PageText::forSearch(raw), PageText::forSearch("<td>Kurs</td><td>22,65 EUR</td>"),
                       PageText::forSearch("Kurs 22,65 EUR")});
        child<QLineEdit>(&page, "quotationField")->setText("22,65");
        page.generate();
        QListWidget* list = child<QListWidget>(&page, "ruleList");
        const QString last = list->item(list->count() - 1)->text();
        QCOMPARE(last, QStringLiteral("XPath: //td[normalize-space()='Kurs']/following-sibling::td[1]"));
        QVERIFY(list->count() > 1);
        QVERIFY(!page.selectedXPath());
        list->setCurrentRow(list->count() - 1);
        QVERIFY(page.selectedRule() == nullptr);
        QCOMPARE(page.selectedXPath().value_or(""),
                 std::string("//td[normalize-space()='Kurs']/following-sibling::td[1]"));
        QVERIFY(child<QPushButton>(&page, "nextButton")->isEnabled());
    }
};

QTEST_MAIN(TestXPathRule)
#include "XPathRuleTest.moc"
