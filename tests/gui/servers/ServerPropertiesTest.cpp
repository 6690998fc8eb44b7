#include "GuiFixtures.h"
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

ServerConfig rules(int filtering, int format = 1)
{
    ServerConfig config = ServerConfig::newServerDefaults();
    config.URL = "http://quotes.example/q?s=[&symbol]&n=[&name]&y=[&y]";
    config.Filtering = filtering;
    config.Format = format;
    return config;
}

} // namespace

// Collects the addresses the dialog hands to the desktop's "open" action.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls()
    {
        for (const char* scheme : {"http", "file"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~OpenedUrls() override
    {
        for (const char* scheme : {"http", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class TestServerProp : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::clearShownTexts(); }

    void advancedSectionGrowsAndShrinks()
    {
        TestEnvironment env;
        ServerPropertiesDialog advanced(rules(1), "Bank", "Item", "SYM");
        advanced.show();
        QVERIFY(advanced.advancedShown());
        QVERIFY(advanced.advancedSection()->isVisible());
        QCOMPARE(advanced.advancedToggle()->text(), QStringLiteral("Advanced <<"));
        QVERIFY(!advanced.advancedToggle()->isEnabled());
        advanced.toggleAdvanced();
        QVERIFY2(advanced.advancedShown(), "Advanced Search keeps the section");
        advanced.standardButton()->setChecked(true);
        QVERIFY(advanced.advancedToggle()->isEnabled());
        const int height = advanced.height();
        const int group = advanced.rulesGroup()->height();
        const int buttons = advanced.testButton()->y();
        QTest::mouseClick(advanced.advancedToggle(), Qt::LeftButton);
        QVERIFY(!advanced.advancedSection()->isVisible());
        QCOMPARE(advanced.advancedToggle()->text(), QStringLiteral("Advanced >>"));
        QCOMPARE(advanced.height(), height - ServerPropertiesDialog::kAdvancedHeight);
        QCOMPARE(advanced.rulesGroup()->height(), group - ServerPropertiesDialog::kAdvancedHeight);
        QCOMPARE(advanced.testButton()->y(), buttons - ServerPropertiesDialog::kAdvancedHeight);

        ServerPropertiesDialog standard(rules(0), "Bank", "Item", "SYM");
        standard.show();
        QVERIFY(!standard.advancedSection()->isVisible());
        QCOMPARE(standard.advancedToggle()->text(), QStringLiteral("Advanced >>"));
        const int shrunk = standard.height();
        QTest::mouseClick(standard.advancedToggle(), Qt::LeftButton);
        QCOMPARE(standard.height(), shrunk + ServerPropertiesDialog::kAdvancedHeight);
        QCOMPARE(standard.advancedToggle()->text(), QStringLiteral("Advanced <<"));
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
            dialog.formatButton(c.format)->setChecked(true);
            dialog.toggleAdvanced();
            (c.advanced ? dialog.advancedButton() : dialog.standardButton())->setChecked(true);
            dialog.extractDateBox()->setChecked(c.date);
            dialog.extractTimeBox()->setChecked(c.time);
            const QByteArray row = QByteArray::number(int(&c - cases));
            QVERIFY2(dialog.tagsField()->isEnabled() == c.tags, row);
            QVERIFY2(dialog.startTextField()->isEnabled() == c.start, row);
            QVERIFY2(dialog.numbersField()->isEnabled() == c.start, row);
            QVERIFY2(dialog.regExpField()->isEnabled() == c.regExp, row);
            QVERIFY2(dialog.quotationIndexField()->isEnabled() == c.regExp, row);
            QVERIFY2(dialog.extractDateBox()->isEnabled() == c.regExp, row);
            QVERIFY2(dialog.dateIndexField(2)->isEnabled() == c.dayIndex, row);
            QVERIFY2(dialog.timeIndexField(1)->isEnabled() == c.hourIndex, row);
            QVERIFY2(dialog.advancedToggle()->isEnabled() == !c.advanced, row);
        }
    }

    void aDisabledTagCountIsKeptAndEveryFieldTakenOver()
    {
        TestEnvironment env;
        ServerConfig config = rules(0, 2);
        config.Nr_HTML_before_Value = 7;
        ServerPropertiesDialog dialog(config, "Bank", "Item", "SYM");
        QVERIFY(!dialog.tagsField()->isEnabled());
        dialog.timeoutField()->setValue(42);
        dialog.separatorList()->setCurrentIndex(2);
        dialog.startTextField()->setText("Kurs:");
        dialog.numbersField()->setValue(3);
        dialog.caseInsensitiveBox()->setChecked(false);
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
        QVERIFY(dialog.jsonButton()->isChecked());
        QVERIFY(dialog.advancedSection()->isVisible());
        QVERIFY(!dialog.advancedToggle()->isEnabled());
        QCOMPARE(dialog.jsonButton()->text(), QStringLiteral("JSON path"));
        const QStringList paths = {dialog.jsonPathField(0)->text(), dialog.jsonPathField(1)->text(),
                                   dialog.jsonPathField(2)->text()};
        QCOMPARE(paths, QStringList({"$['a|b']", "", "$.t"}));
        QVERIFY(dialog.jsonPathField(1)->isEnabled());
        QVERIFY(!dialog.regExpField()->isEnabled());
        QVERIFY(!dialog.startTextField()->isEnabled());
        QVERIFY(!dialog.extractDateBox()->isEnabled());
        dialog.jsonPathField(1)->setText("$.d");
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
            standard.jsonButton()->setChecked(true);
            QVERIFY(standard.jsonPathField(0)->isEnabled());
            standard.jsonPathField(0)->setText(path);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            standard.accept();
            QVERIFY(standard.result() != QDialog::Accepted);
            QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
        }
        ServerPropertiesDialog back(config, "Bank", "Item", "SYM");
        back.standardButton()->setChecked(true);
        QVERIFY(!back.jsonPathField(0)->isEnabled());
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
            dialog.timeoutField()->setValue(c.timeout);
            dialog.tagsField()->setValue(c.tags);
            dialog.numbersField()->setValue(c.numbers);
            if (c.message)
                MessageDialog::setNextAnswer(QMessageBox::Ok);
            dialog.accept();
            QCOMPARE(dialog.result() == QDialog::Accepted, c.message == nullptr);
            QCOMPARE(MessageDialog::shownTexts(), c.message ? QStringList{c.message} : QStringList{});
        }
    }

    void saveAsOverwritesWithoutAskingAndKeepsTheUserDefinedName()
    {
        TestEnvironment env;
        ServerConfig stored = rules(0);
        stored.URL = "http://old.example/";
        QVERIFY(ServerStore::writeServerConfig("Bank", stored).isOk());
        ServerPropertiesDialog dialog(rules(0), ServerConfig::kUserDefinedName, "My item", "SYM");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Server properties - [My item]"));
        dialog.urlField()->setText("http://new.example/[&symbol]");

        const auto saveAs = [&dialog](const QString& name) {
            whenModal<SaveServerAsDialog>([name](SaveServerAsDialog* chooser) {
                QCOMPARE(chooser->windowTitle(), QStringLiteral("Server configuration"));
                QCOMPARE(chooser->nameList()->currentText(), chooser->nameList()->itemText(0));
                chooser->nameList()->setCurrentText(name);
                chooser->accept();
            });
            dialog.saveAs();
        };
        saveAs("Bank");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Server properties - [Bank]"));
        ServerConfig read;
        ServerStore::readServerConfig("Bank", read);
        QCOMPARE(read.URL, std::string("http://new.example/[&symbol]"));

        const std::vector<std::string> names = ServerStore::listServerNames();
        dialog.urlField()->setText("http://other.example/");
        saveAs(ServerConfig::kUserDefinedName);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Server properties - [Bank]"));
        QCOMPARE(dialog.serverName(), std::string(ServerConfig::kUserDefinedName));
        QCOMPARE(ServerStore::listServerNames(), names);

        MessageDialog::setNextAnswer(QMessageBox::Ok);
        saveAs("Back\\slash");
        QCOMPARE(MessageDialog::shownTexts().size(), 1);
        QCOMPARE(ServerStore::listServerNames(), names);
        ServerStore::readServerConfig("Bank", read);
        QCOMPARE(read.URL, std::string("http://new.example/[&symbol]"));
    }

    void requestHeadersOneLineEachRefusedAsTheStoreRefusesThem()
    {
        TestEnvironment env;
        ServerConfig config = rules(0);
        config.Headers = {"Referer: http://quotes.example/", "X-Symbol: [&symbol]"};
        ServerPropertiesDialog dialog(config, "Bank", "Item", "SYM");
        QVERIFY(dialog.headersField()->isEnabled());
        QCOMPARE(dialog.headersField()->toPlainText(),
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
            dialog.headersField()->setPlainText(QString::fromUtf8(c.typed));
            if (c.refusal)
                MessageDialog::setNextAnswer(QMessageBox::Ok);
            QCOMPARE(dialog.takeOverFields(), c.refusal == nullptr);
            QCOMPARE(MessageDialog::shownTexts(), c.refusal ? QStringList{c.refusal} : QStringList{});
            QCOMPARE(dialog.config().Headers, c.refusal ? before.Headers : c.taken);
        }

        // The item's own rules send no headers: the field is off until the rules are saved as a server.
        ServerPropertiesDialog own(rules(0), ServerConfig::kUserDefinedName, "My item", "SYM");
        QVERIFY(!own.headersField()->isEnabled());
        whenModal<SaveServerAsDialog>([](SaveServerAsDialog* chooser) {
            chooser->nameList()->setCurrentText("With headers");
            chooser->accept();
        });
        own.saveAs();
        QVERIFY(own.headersField()->isEnabled());
        own.headersField()->setPlainText("X-Token: 7");
        own.accept();
        QCOMPARE(own.result(), int(QDialog::Accepted));
        QCOMPARE(own.config().Headers, std::vector<std::string>{"X-Token: 7"});
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
        dialog.urlField()->setText("http://unsaved.example/[&symbol]/[&name]/[&y]");
        QTest::mouseClick(dialog.downloadUrlButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.testButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.helpButton(), Qt::LeftButton);
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
