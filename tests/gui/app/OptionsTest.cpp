#include "TestEnvironment.h"
#include "gui/app/OptionsDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimeEdit>
#include <QtTest>

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::clearShownTexts(); }

    void refusesEntriesOutsideTheirRanges_data()
    {
        QTest::addColumn<QString>("downloads");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("message");
        QTest::newRow("no downloads") << "0"
                                      << "60"
                                      << "Please enter an integer between 1 and 500.";
        QTest::newRow("too many downloads") << "501"
                                            << "60"
                                            << "Please enter an integer between 1 and 500.";
        QTest::newRow("interval too short") << "5"
                                            << "4"
                                            << "Please enter an integer between 5 and 500.";
        QTest::newRow("interval too long") << "5"
                                           << "501"
                                           << "Please enter an integer between 5 and 500.";
        QTest::newRow("empty downloads") << ""
                                         << "60"
                                         << "Please enter a positive integer.";
    }

    void refusesEntriesOutsideTheirRanges()
    {
        QFETCH(QString, downloads);
        QFETCH(QString, interval);
        QFETCH(QString, message);
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        dialog.downloadsField()->setText(downloads);
        dialog.intervalField()->setText(interval);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
        QCOMPARE(dialog.options(), GeneralOptions());
    }

    void refusesConnectionsPerHostAndUserAgentOutsideTheirRules_data()
    {
        QTest::addColumn<QString>("perHost");
        QTest::addColumn<QString>("agent");
        QTest::addColumn<QString>("message");
        QTest::newRow("no connection") << "0"
                                       << "Tickora/1.0.0"
                                       << "Please enter an integer between 1 and 16.";
        QTest::newRow("too many connections") << "17"
                                              << "Tickora/1.0.0"
                                              << "Please enter an integer between 1 and 16.";
        QTest::newRow("empty agent") << "4"
                                     << ""
                                     << "Please enter a user agent.";
        QTest::newRow("agent with a control character")
            << "4"
            << "A\tB"
            << "The user agent must not contain line breaks or other control characters.";
    }

    void refusesConnectionsPerHostAndUserAgentOutsideTheirRules()
    {
        QFETCH(QString, perHost);
        QFETCH(QString, agent);
        QFETCH(QString, message);
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        QCOMPARE(dialog.perHostField()->text(), QStringLiteral("4"));
        QCOMPARE(dialog.userAgentField()->text(), QStringLiteral("Tickora/1.0.0"));
        dialog.perHostField()->setText(perHost);
        dialog.userAgentField()->setText(agent);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
    }

    void takesConnectionsPerHostAndUserAgent()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        dialog.perHostField()->setText("16");
        dialog.userAgentField()->setText("Mozilla/5.0 (Probe)");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().ConnectionsPerHost, 16);
        QCOMPARE(dialog.downloadOptions().UserAgent, std::string("Mozilla/5.0 (Probe)"));
    }

    void guardFieldTakesZeroToAThousandPercent()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        QCOMPARE(dialog.guardField()->text(), QStringLiteral("0"));
        for (const char* refused : {"1001", ""}) {
            dialog.guardField()->setText(refused);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(MessageDialog::shownTexts(),
                 (QStringList{"Please enter an integer between 0 and 1000.", "Please enter a positive integer."}));
        dialog.guardField()->setText("1000");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().GuardPercent, 1000);
    }

    void acceptsEntriesAtTheLimitsAndTakesTheTimes()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        dialog.downloadsField()->setText("500");
        dialog.intervalField()->setText("5");
        dialog.fromField()->setTime(QTime(7, 15));
        dialog.toField()->setTime(QTime(22, 45));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(MessageDialog::shownTexts().isEmpty());
        const GeneralOptions& options = dialog.options();
        QCOMPARE(options.NumberDownloads, 500);
        QCOMPARE(options.UpdateIntervall, 5);
        QCOMPARE(options.Hour1, 7);
        QCOMPARE(options.Minute1, 15);
        QCOMPARE(options.Hour2, 22);
        QCOMPARE(options.Minute2, 45);
    }

    void enablingFollowsTheTwoBoxes()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        QVERIFY(dialog.intervalField()->isEnabled());
        QVERIFY(dialog.fromField()->isEnabled());
        dialog.autoupdateBox()->setChecked(false);
        QVERIFY(!dialog.intervalField()->isEnabled());
        QVERIFY(!dialog.timeWindowBox()->isEnabled());
        QVERIFY(!dialog.fromField()->isEnabled());
        QVERIFY(!dialog.toField()->isEnabled());
        dialog.timeWindowBox()->setChecked(false);
        dialog.autoupdateBox()->setChecked(true);
        QVERIFY(dialog.intervalField()->isEnabled());
        QVERIFY(dialog.timeWindowBox()->isEnabled());
        QVERIFY(!dialog.fromField()->isEnabled());
        dialog.timeWindowBox()->setChecked(true);
        QVERIFY(dialog.fromField()->isEnabled());
        QVERIFY(dialog.toField()->isEnabled());
    }

    void dialogStartsWithTheStoredWindowOpeningClosedWhenSwitchedOff()
    {
        TestEnvironment env;
        GeneralOptions stored;
        stored.Autoupdate = 0;
        QVERIFY(stored.writeOptions());
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        QVERIFY(!dialog.intervalField()->isEnabled());
        QVERIFY(!dialog.fromField()->isEnabled());
    }
};

QTEST_MAIN(TestOptions)
#include "OptionsTest.moc"
