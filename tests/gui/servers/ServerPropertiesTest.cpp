// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "OpenedUrls.h"
#include "TestEnvironment.h"
#include "core/extract/JsonRule.h"
#include "core/servers/ServerStore.h"
#include "gui/servers/SaveServerAsDialog.h"
#include "gui/servers/ServerPropertiesDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace {

// The conversion choices by their stored Format.
const char* const kFormatButtons[] = {"noConversionButton", "semiHtmlButton", "textOnlyButton"};

ServerConfig rules(int filtering, int format = 1)
{
    ServerConfig config = ServerConfig::newServerDefaults();
    config.URL = "http://quotes.example/q?s=[&symbol]&n=[&name]&y=[&y]";
    config.Filtering = filtering;
    config.Format = format;
    return config;
}

} // namespace

class TestServerProp : public GuiTestCase {
    Q_OBJECT
private slots:
    void advancedSectionGrowsAndShrinks()
    {
        TestEnvironment env;
        ServerPropertiesDialog advanced(rules(1), "Bank", "Item", "SYM");
        advanced.show();
        QVERIFY(advanced.advancedShown());
        QVERIFY(child<QWidget>(&advanced, "advancedSection")->isVisible());
        QCOMPARE(child<QPushButton>(&advanced, "advancedToggle")->text(), QStringLiteral("Advanced <<"));
        QVERIFY(!child<QPushButton>(&advanced, "advancedToggle")->isEnabled());
        advanced.toggleAdvanced();
        QVERIFY2(advanced.advancedShown(), "Advanced Search keeps the section");
        child<QRadioButton>(&advanced, "standardButton")->setChecked(true);
        QVERIFY(child<QPushButton>(&advanced, "advancedToggle")->isEnabled());
        const int height = advanced.height();
        const int group = child<QGroupBox>(&advanced, "rulesGroup")->height();
        const int buttons = child<QPushButton>(&advanced, "testButton")->y();
        const int section = child<QWidget>(&advanced, "advancedSection")->height();
        QTest::mouseClick(child<QPushButton>(&advanced, "advancedToggle"), Qt::LeftButton);
        QVERIFY(!child<QWidget>(&advanced, "advancedSection")->isVisible());
        QCOMPARE(child<QPushButton>(&advanced, "advancedToggle")->text(), QStringLiteral("Advanced >>"));
        QCOMPARE(advanced.height(), height - section);
        QCOMPARE(child<QGroupBox>(&advanced, "rulesGroup")->height(), group - section);
        QCOMPARE(child<QPushButton>(&advanced, "testButton")->y(), buttons - section);

        ServerPropertiesDialog standard(rules(0), "Bank", "Item", "SYM");
        standard.show();
        QVERIFY(!child<QWidget>(&standard, "advancedSection")->isVisible());
        QCOMPARE(child<QPushButton>(&standard, "advancedToggle")->text(), QStringLiteral("Advanced >>"));
        const int shrunk = standard.height();
        QTest::mouseClick(child<QPushButton>(&standard, "advancedToggle"), Qt::LeftButton);
        QCOMPARE(standard.height(), shrunk + section);
        QCOMPARE(child<QPushButton>(&standard, "advancedToggle")->text(), QStringLiteral("Advanced <<"));
    }

    void enablingRules()
    {
        TestEnvironment env;
        const struct {
            int format;
            bool advanced, date, time;
            bool tags, start, regExp, dayIndex, hourIndex;
        } cases[] = {
            {1, false, false, false, true, true, false, false, false},
            {0, false, true, true, false, true, false, false, false},
            {2, false, false, false, false, true, false, false, false},
            {1, true, false, false, false, false, true, false, false},
            {1, true, true, false, false, false, true, true, false},
            {2, true, false, true, false, false, true, false, true},
        };
        for (const auto& c : cases) {
            ServerPropertiesDialog dialog(rules(0, 0), "Bank", "Item", "SYM");
            child<QRadioButton>(&dialog, kFormatButtons[c.format])->setChecked(true);
            dialog.toggleAdvanced();
            (c.advanced ? child<QRadioButton>(&dialog, "advancedButton")
                        : child<QRadioButton>(&dialog, "standardButton"))
                ->setChecked(true);
            child<QCheckBox>(&dialog, "extractDateBox")->setChecked(c.date);
            child<QCheckBox>(&dialog, "extractTimeBox")->setChecked(c.time);
            const QByteArray row = QByteArray::number(int(&c - cases));
            QVERIFY2(child<QSpinBox>(&dialog, "tagsField")->isEnabled() == c.tags, row);
            QVERIFY2(child<QLineEdit>(&dialog, "startTextField")->isEnabled() == c.start, row);
            QVERIFY2(child<QSpinBox>(&dialog, "numbersField")->isEnabled() == c.start, row);
            QVERIFY2(child<QLineEdit>(&dialog, "regExpField")->isEnabled() == c.regExp, row);
            QVERIFY2(child<QSpinBox>(&dialog, "quotationIndexField")->isEnabled() == c.regExp, row);
            QVERIFY2(child<QCheckBox>(&dialog, "extractDateBox")->isEnabled() == c.regExp, row);
            QVERIFY2(child<QSpinBox>(&dialog, "yearIndexField")->isEnabled() == c.dayIndex, row);
            QVERIFY2(child<QSpinBox>(&dialog, "minuteIndexField")->isEnabled() == c.hourIndex, row);
            QVERIFY2(child<QPushButton>(&dialog, "advancedToggle")->isEnabled() == !c.advanced, row);
        }
    }

    void aDisabledTagCountIsKeptAndEveryFieldTakenOver()
    {
        TestEnvironment env;
        ServerConfig config = rules(0, 2);
        config.Nr_HTML_before_Value = 7;
        ServerPropertiesDialog dialog(config, "Bank", "Item", "SYM");
        QVERIFY(!child<QSpinBox>(&dialog, "tagsField")->isEnabled());
        child<QSpinBox>(&dialog, "timeoutField")->setValue(42);
        child<QComboBox>(&dialog, "separatorList")->setCurrentIndex(2);
        child<QLineEdit>(&dialog, "startTextField")->setText("Kurs:");
        child<QSpinBox>(&dialog, "numbersField")->setValue(3);
        child<QCheckBox>(&dialog, "caseInsensitiveBox")->setChecked(false);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const ServerConfig& taken = dialog.config();
        QCOMPARE(taken.Nr_HTML_before_Value, 7);
        QCOMPARE(taken.Format, 2);
        QCOMPARE(taken.Timeout, 42);
        QCOMPARE(taken.TAUSEND, std::string(","));
        QCOMPARE(taken.DECIMAL, std::string("."));
        QCOMPARE(taken.Text_before_Value, std::string("Kurs:"));
        QCOMPARE(taken.Numbers_before_Value, 3);
        QCOMPARE(taken.NoCaseSensitiv, 0);
        QCOMPARE(taken.Filtering, 0);
    }

    void jsonPathIsTheThirdSearchKind()
    {
        TestEnvironment env;
        ServerConfig config = rules(1);
        config.RegExp = JsonRule("$['a|b']", "", "$.t").encode();
        ServerPropertiesDialog dialog(config, "Bank", "Item", "SYM");
        dialog.show();
        QVERIFY(child<QRadioButton>(&dialog, "jsonButton")->isChecked());
        QVERIFY(child<QWidget>(&dialog, "advancedSection")->isVisible());
        QVERIFY(!child<QPushButton>(&dialog, "advancedToggle")->isEnabled());
        QCOMPARE(child<QRadioButton>(&dialog, "jsonButton")->text(), QStringLiteral("JSON path"));
        const QStringList paths = {child<QLineEdit>(&dialog, "valuePathField")->text(),
                                   child<QLineEdit>(&dialog, "datePathField")->text(),
                                   child<QLineEdit>(&dialog, "timePathField")->text()};
        QCOMPARE(paths, QStringList({"$['a|b']", "", "$.t"}));
        QVERIFY(child<QLineEdit>(&dialog, "datePathField")->isEnabled());
        QVERIFY(!child<QLineEdit>(&dialog, "regExpField")->isEnabled());
        QVERIFY(!child<QLineEdit>(&dialog, "startTextField")->isEnabled());
        QVERIFY(!child<QCheckBox>(&dialog, "extractDateBox")->isEnabled());
        child<QLineEdit>(&dialog, "datePathField")->setText("$.d");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.config().Filtering, 1);
        QCOMPARE(dialog.config().RegExp, std::string("(?!)json:$['a\\|b']|date:$.d|time:$.t"));

        const std::pair<const char*, const char*> refused[] = {
            {"$.a[", "Invalid JSON path at character 5: expected an index, \"*\", a quoted key or a filter."},
            {"", "The JSON rule needs a value path."},
        };
        for (const auto& [path, message] : refused) {
            MessageDialog::clearShownTexts();
            ServerPropertiesDialog standard(rules(0), "Bank", "Item", "SYM");
            standard.toggleAdvanced();
            child<QRadioButton>(&standard, "jsonButton")->setChecked(true);
            QVERIFY(child<QLineEdit>(&standard, "valuePathField")->isEnabled());
            child<QLineEdit>(&standard, "valuePathField")->setText(path);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            standard.accept();
            QVERIFY(standard.result() != QDialog::Accepted);
            QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
        }
        ServerPropertiesDialog back(config, "Bank", "Item", "SYM");
        child<QRadioButton>(&back, "standardButton")->setChecked(true);
        QVERIFY(!child<QLineEdit>(&back, "valuePathField")->isEnabled());
        back.accept();
        QCOMPARE(back.config().Filtering, 0);
    }

    void numbersOutOfRangeAreRefused()
    {
        TestEnvironment env;
        const struct {
            int timeout, tags, numbers;
            const char* message;
        } cases[] = {
            {0, 0, 0, "Please enter an integer between 1 and 600."},
            {601, 0, 0, "Please enter an integer between 1 and 600."},
            {1, 10001, 0, "Please enter an integer between 0 and 10000."},
            {600, 0, -1, "Please enter an integer between 0 and 10000."},
            {600, 10000, 10000, nullptr},
            {1, 0, 0, nullptr},
        };
        for (const auto& c : cases) {
            MessageDialog::clearShownTexts();
            ServerPropertiesDialog dialog(rules(0), "Bank", "Item", "SYM");
            child<QSpinBox>(&dialog, "timeoutField")->setValue(c.timeout);
            child<QSpinBox>(&dialog, "tagsField")->setValue(c.tags);
            child<QSpinBox>(&dialog, "numbersField")->setValue(c.numbers);
            if (c.message)
                MessageDialog::setNextAnswer(QMessageBox::Ok);
            dialog.accept();
            QCOMPARE(dialog.result() == QDialog::Accepted, c.message == nullptr);
            QCOMPARE(MessageDialog::shownTexts(), c.message ? QStringList{c.message} : QStringList{});
        }
    }

    void saveAsAsksBeforeReplacingAndLeavesTheItemsOwnRulesItsOwn()
    {
        TestEnvironment env;
        ServerConfig stored = rules(0);
        stored.URL = "http://old.example/";
        QVERIFY(ServerStore::writeServerConfig("Bank", stored).isOk());
        ServerPropertiesDialog own(rules(0), ServerConfig::kUserDefinedName, "My item", "SYM");
        child<QLineEdit>(&own, "urlField")->setText("http://new.example/[&symbol]");
        const auto saveAs = [](ServerPropertiesDialog& dialog, const QString& name) {
            whenModal<SaveServerAsDialog>([name](SaveServerAsDialog* chooser) {
                QCOMPARE(chooser->windowTitle(), QStringLiteral("Server configuration"));
                QCOMPARE(child<QComboBox>(chooser, "nameList")->currentIndex(), -1);
                QCOMPARE(child<QComboBox>(chooser, "nameList")->currentText(), QString());
                child<QComboBox>(chooser, "nameList")->setCurrentText(name);
                chooser->accept();
            });
            dialog.saveAs();
        };
        const auto storedUrl = [](const std::string& name) {
            ServerConfig read;
            ServerStore::readServerConfig(name, read);
            return read.URL;
        };
        const QString replace = QStringLiteral("Replace the server configuration 'Bank'?");
        MessageDialog::setNextAnswer(QMessageBox::No);
        saveAs(own, "Bank");
        QCOMPARE(storedUrl("Bank"), std::string("http://old.example/"));
        MessageDialog::setNextAnswer(QMessageBox::Yes);
        saveAs(own, "Bank");
        QCOMPARE(storedUrl("Bank"), std::string("http://new.example/[&symbol]"));
        saveAs(own, "Copy");
        QCOMPARE(storedUrl("Copy"), std::string("http://new.example/[&symbol]"));
        QCOMPARE(MessageDialog::shownTexts(), (QStringList{replace, replace}));
        // The stored copies serve other items; this one keeps its own rules.
        QCOMPARE(own.serverName(), std::string(ServerConfig::kUserDefinedName));
        QCOMPARE(own.windowTitle(), QStringLiteral("Server properties - [My item]"));
        QVERIFY(!child<QPlainTextEdit>(&own, "headersField")->isEnabled());

        // A stored server saved under a new name becomes that server; "-- User defined --" the item's own rules.
        ServerPropertiesDialog bank(stored, "Bank", "My item", "SYM");
        saveAs(bank, "Bank 2");
        QCOMPARE(bank.windowTitle(), QStringLiteral("Server properties - [Bank 2]"));
        const std::vector<std::string> names = ServerStore::listServerNames();
        saveAs(bank, ServerConfig::kUserDefinedName);
        QCOMPARE(bank.serverName(), std::string(ServerConfig::kUserDefinedName));
        QCOMPARE(ServerStore::listServerNames(), names);

        MessageDialog::clearShownTexts();
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        saveAs(bank, "Back\\slash");
        QCOMPARE(MessageDialog::shownTexts().size(), 1);
        QCOMPARE(ServerStore::listServerNames(), names);
    }

    void requestHeadersOneLineEachRefusedAsTheStoreRefusesThem()
    {
        TestEnvironment env;
        ServerConfig config = rules(0);
        config.Headers = {"Referer: http://quotes.example/", "X-Symbol: [&symbol]"};
        ServerPropertiesDialog dialog(config, "Bank", "Item", "SYM");
        QVERIFY(child<QPlainTextEdit>(&dialog, "headersField")->isEnabled());
        QCOMPARE(child<QPlainTextEdit>(&dialog, "headersField")->toPlainText(),
                 QStringLiteral("Referer: http://quotes.example/\nX-Symbol: [&symbol]"));

        const struct {
            const char* typed;
            const char* refusal;
            std::vector<std::string> taken;
        } cases[] = {
            {"Accept-Language: de\n\n  \nX-A: 1\n", nullptr, {"Accept-Language: de", "X-A: 1"}},
            {"X-A: tab\there",
             "The request header 'X-A: tab\there' contains a line break or another control character.",
             {}},
            {"X-A: 1\nX-B: bell\a",
             "The request header 'X-B: bell\a' contains a line break or another control character.",
             {}},
            {"X-A: 1\nTwo words: x", "The request header 'Two words: x' is not of the form \"Name: value\".", {}},
            {"", nullptr, {}},
        };
        for (const auto& c : cases) {
            MessageDialog::clearShownTexts();
            const ServerConfig before = dialog.config();
            child<QPlainTextEdit>(&dialog, "headersField")->setPlainText(QString::fromUtf8(c.typed));
            if (c.refusal)
                MessageDialog::setNextAnswer(QMessageBox::Ok);
            QCOMPARE(dialog.takeOverFields(), c.refusal == nullptr);
            QCOMPARE(MessageDialog::shownTexts(), c.refusal ? QStringList{c.refusal} : QStringList{});
            QCOMPARE(dialog.config().Headers, c.refusal ? before.Headers : c.taken);
        }

        // The item's own rules send no headers: the field is off until they are made a server's.
        ServerPropertiesDialog own(rules(0), ServerConfig::kUserDefinedName, "My item", "SYM");
        QVERIFY(!child<QPlainTextEdit>(&own, "headersField")->isEnabled());
        ServerPropertiesDialog becomesOwn(config, "Bank", "My item", "SYM");
        whenModal<SaveServerAsDialog>([](SaveServerAsDialog* chooser) {
            child<QComboBox>(chooser, "nameList")->setCurrentText(ServerConfig::kUserDefinedName);
            chooser->accept();
        });
        becomesOwn.saveAs();
        QVERIFY(!child<QPlainTextEdit>(&becomesOwn, "headersField")->isEnabled());
    }

    void addressTestAndHelpReachTheirTargets()
    {
        TestEnvironment env;
        OpenedUrls opened;
        ServerPropertiesDialog dialog(rules(0), "Bank", "A B", "7.F");
        std::vector<std::string> tested;
        dialog.setTester([&tested](const std::string& name, const std::string& symbol, const ServerConfig& config) {
            tested = {name, symbol, config.URL};
        });
        child<QLineEdit>(&dialog, "urlField")->setText("http://unsaved.example/[&symbol]/[&name]/[&y]");
        QTest::mouseClick(child<QPushButton>(&dialog, "downloadUrlButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&dialog, "testButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&dialog, "helpButton"), Qt::LeftButton);
        QCOMPARE(opened.urls.size(), 2);
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(opened.urls[0].toString(QUrl::FullyEncoded),
                 QStringLiteral("http://unsaved.example/7.F/A%20B/") + year);
        QVERIFY(opened.urls[1].isLocalFile());
        QCOMPARE(opened.urls[1].fileName(), QStringLiteral("TKRSrv.html"));
        QCOMPARE(tested, (std::vector<std::string>{"A B", "7.F", "http://unsaved.example/[&symbol]/[&name]/[&y]"}));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Server properties - [Bank]"));
    }
};

QTEST_MAIN(TestServerProp)
#include "ServerPropertiesTest.moc"
