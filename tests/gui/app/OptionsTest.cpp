// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "gui/app/OptionsDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimeEdit>
#include <QtTest>

class TestOptions : public GuiTestCase {
    Q_OBJECT
private slots:
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
        child<QLineEdit>(&dialog, "downloadsField")->setText(downloads);
        child<QLineEdit>(&dialog, "intervalField")->setText(interval);
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
        QCOMPARE(child<QLineEdit>(&dialog, "perHostField")->text(), QStringLiteral("4"));
        QCOMPARE(child<QLineEdit>(&dialog, "userAgentField")->text(), QStringLiteral("Tickora/1.0.0"));
        child<QLineEdit>(&dialog, "perHostField")->setText(perHost);
        child<QLineEdit>(&dialog, "userAgentField")->setText(agent);
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(MessageDialog::shownTexts(), QStringList{message});
    }

    void takesConnectionsPerHostAndUserAgent()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        child<QLineEdit>(&dialog, "perHostField")->setText("16");
        child<QLineEdit>(&dialog, "userAgentField")->setText("Mozilla/5.0 (Probe)");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().ConnectionsPerHost, 16);
        QCOMPARE(dialog.downloadOptions().UserAgent, std::string("Mozilla/5.0 (Probe)"));
    }

    void guardFieldTakesZeroToAThousandPercent()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        QCOMPARE(child<QLineEdit>(&dialog, "guardField")->text(), QStringLiteral("0"));
        for (const char* refused : {"1001", ""}) {
            child<QLineEdit>(&dialog, "guardField")->setText(refused);
            MessageDialog::setNextAnswer(QMessageBox::Ok);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(MessageDialog::shownTexts(),
                 (QStringList{"Please enter an integer between 0 and 1000.", "Please enter a positive integer."}));
        child<QLineEdit>(&dialog, "guardField")->setText("1000");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().GuardPercent, 1000);
    }

    void acceptsEntriesAtTheLimitsAndTakesTheTimes()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        child<QLineEdit>(&dialog, "downloadsField")->setText("500");
        child<QLineEdit>(&dialog, "intervalField")->setText("5");
        child<QTimeEdit>(&dialog, "fromField")->setTime(QTime(7, 15));
        child<QTimeEdit>(&dialog, "toField")->setTime(QTime(22, 45));
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
        QVERIFY(child<QLineEdit>(&dialog, "intervalField")->isEnabled());
        QVERIFY(child<QTimeEdit>(&dialog, "fromField")->isEnabled());
        child<QCheckBox>(&dialog, "autoupdateBox")->setChecked(false);
        QVERIFY(!child<QLineEdit>(&dialog, "intervalField")->isEnabled());
        QVERIFY(!child<QCheckBox>(&dialog, "timeWindowBox")->isEnabled());
        QVERIFY(!child<QTimeEdit>(&dialog, "fromField")->isEnabled());
        QVERIFY(!child<QTimeEdit>(&dialog, "toField")->isEnabled());
        child<QCheckBox>(&dialog, "timeWindowBox")->setChecked(false);
        child<QCheckBox>(&dialog, "autoupdateBox")->setChecked(true);
        QVERIFY(child<QLineEdit>(&dialog, "intervalField")->isEnabled());
        QVERIFY(child<QCheckBox>(&dialog, "timeWindowBox")->isEnabled());
        QVERIFY(!child<QTimeEdit>(&dialog, "fromField")->isEnabled());
        child<QCheckBox>(&dialog, "timeWindowBox")->setChecked(true);
        QVERIFY(child<QTimeEdit>(&dialog, "fromField")->isEnabled());
        QVERIFY(child<QTimeEdit>(&dialog, "toField")->isEnabled());
    }

    void dialogStartsWithTheStoredWindowOpeningClosedWhenSwitchedOff()
    {
        TestEnvironment env;
        GeneralOptions stored;
        stored.Autoupdate = 0;
        QVERIFY(stored.writeOptions());
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        QVERIFY(!child<QLineEdit>(&dialog, "intervalField")->isEnabled());
        QVERIFY(!child<QTimeEdit>(&dialog, "fromField")->isEnabled());
    }
};

QTEST_MAIN(TestOptions)
#include "OptionsTest.moc"
