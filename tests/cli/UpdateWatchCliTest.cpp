// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "DownloadTestSupport.h"
#include "StatusOutcome.h"
#include "core/model/PortfolioDocument.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include <functional>
#include <regex>

// Rule health, the plausibility guard and alarm lines of `tickora-cli update`, through the real program.
namespace {

class UpdateWatchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testServer(); }

    UpdateWatchTest() { TestEnvironment::setTimeZone("UTC"); }

    void add(const std::string& name, const std::string& page, std::vector<Quotation> history = {},
             const std::function<void(PortfolioItem&)>& setUp = {})
    {
        PortfolioItem item = PortfolioItem::newItem(name, 0, 0);
        item.server = standardRules(testServer().url(page), "Price");
        item.server.name = ServerConfig::kUserDefinedName;
        item.quotations = std::move(history);
        if (setUp)
            setUp(item);
        m_doc.addItem(item);
    }

    QString save()
    {
        std::string error;
        EXPECT_TRUE(succeeded(m_doc.savePortfolio(m_path), error)) << error;
        return QString::fromStdString(m_path);
    }

    std::vector<double> values(const std::string& name)
    {
        PortfolioDocument doc;
        std::string error;
        EXPECT_TRUE(succeeded(doc.openPortfolio(m_path), error)) << error;
        std::vector<double> found;
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            if (doc.item(pos).name == name)
                for (const Quotation& k : doc.item(pos).quotations)
                    found.push_back(k.value);
        return found;
    }

    TestEnvironment m_env;
    PortfolioDocument m_doc;
    std::string m_path = m_env.path("watch.tkr");
};

TEST_F(UpdateWatchTest, HealthCountsFailuresInARowAcrossUpdatesOfAPageThatBreaksAndHeals)
{
    testServer().addPage("/watch/steady.html", "Price 5.25");
    m_doc.newPortfolio();
    add("Steady", "/watch/steady.html");
    add("Flaky", "/watch/flaky.html");
    add("Dead", "/watch/never-there.html");
    const QString file = save();

    struct Step {
        const char* page;
        int flakyFailures;
        const char* lastFailure;
        // "Dead" never succeeds: failing from the third update on.
        int healthExit;
    };
    const Step steps[] = {{"Price 10", 0, "", 0},
                          {"gone", 1, "Error: Text not found!", 0},
                          {"gone", 2, "Error: Text not found!", 1},
                          {"gone", 3, "Error: Text not found!", 1},
                          {"Price 11", 0, "Error: Text not found!", 1}};
    int run = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(++run);
        testServer().addPage("/watch/flaky.html", step.page);
        runCli({"update", file, "--quiet"});
        const std::string failures = std::to_string(step.flakyFailures);
        const CliResult health = runCli({"health", file});
        EXPECT_EQ(health.exitCode, step.healthExit) << health.out << health.err;
        EXPECT_TRUE(std::regex_search(
            health.out,
            std::regex("\nFlaky\t\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d\\t" + failures + "\\t" + step.lastFailure + "\\n")))
            << health.out;
        EXPECT_NE(health.out.find("\nDead\tnever\t" + std::to_string(run) + "\tError: File not found: "),
                  std::string::npos)
            << health.out;
        const CliResult json = runCli({"health", file, "--json"});
        EXPECT_EQ(json.exitCode, step.healthExit);
        EXPECT_TRUE(std::regex_search(json.out,
                                      std::regex("\\{\"failures\":" + failures +
                                                 ",\"fallback\":null,\"fallbackSince\":null,\"lastFailure\":\"" +
                                                 step.lastFailure + "\",\"lastSuccess\":[0-9]+,\"name\":\"Flaky\"\\}")))
            << json.out;
        EXPECT_NE(json.out.find("\"lastSuccess\":null,\"name\":\"Dead\""), std::string::npos) << json.out;
    }
    // The invested-amount history is no ordinary item; Steady succeeded every time.
    const CliResult health = runCli({"health", file});
    EXPECT_EQ(health.out.find("Amount"), std::string::npos) << health.out;
    EXPECT_EQ(health.out.substr(0, 6), "Steady");
    EXPECT_EQ(health.out.substr(health.out.find('\t', 7) + 1, 3), "0\t\n") << health.out;

    // The record sits in the settings store, keyed by the canonical path and the name.
    QSettings settings(QString::fromStdString(m_env.settingsPath()), QSettings::IniFormat);
    settings.beginGroup("RuleHealth");
    ASSERT_EQ(settings.childGroups().size(), 1);
    settings.beginGroup(settings.childGroups().front());
    EXPECT_EQ(settings.childGroups(), QStringList({"Dead", "Flaky", "Steady"}));
    EXPECT_EQ(settings.value("Dead/Failures").toInt(), 5);
    EXPECT_EQ(settings.value("Dead/LastSuccess").toLongLong(), 0);
    EXPECT_GT(settings.value("Flaky/LastSuccess").toLongLong(), 0);

    // Another path to the same file finds the same record; a missing file is a file error.
    const QString link = QString::fromStdString(m_env.path("link.tkr"));
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(runCli({"health", link}).out, health.out);
    EXPECT_EQ(runCli({"health", QString::fromStdString(m_env.path("none.tkr"))}).exitCode, 3);
    EXPECT_EQ(runCli({"health"}).exitCode, 2);
}

TEST_F(UpdateWatchTest, SecretsOfAFailingAddressAreHiddenInLinesHealthSettingsAndLog)
{
    m_doc.newPortfolio();
    add("Keyed", "/watch/missing.html?symbol=IBM&apikey=s3cret&Token=t0ken&x=1");
    const QString file = save();

    const CliResult update = runCli({"update", file}, {"QT_LOGGING_RULES=tickora.download.debug=true"});
    EXPECT_NE(
        update.out.find("Keyed: Error: File not found: /watch/missing.html?symbol=IBM&apikey=***&Token=***&x=1\n"),
        std::string::npos)
        << update.out;
    EXPECT_NE(update.err.find("apikey=***"), std::string::npos) << update.err;
    const CliResult health = runCli({"health", file, "--json"});
    EXPECT_NE(health.out.find("apikey=***&Token=***&x=1"), std::string::npos) << health.out;
    QFile settings(QString::fromStdString(m_env.settingsPath()));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray stored = settings.readAll();
    EXPECT_TRUE(stored.contains("apikey=***")) << stored.toStdString();
    for (const std::string& output : {update.out, update.err, health.out, stored.toStdString()}) {
        EXPECT_EQ(output.find("s3cret"), std::string::npos) << output;
        EXPECT_EQ(output.find("t0ken"), std::string::npos) << output;
    }
}

TEST_F(UpdateWatchTest, TheGuardHoldsBackJumpsAfterTheCentsCorrectionOnlyWhileOn)
{
    testServer().addPage("/watch/cents.html", "Price 12345");
    testServer().addPage("/watch/jump.html", "Price 150");
    m_doc.newPortfolio();
    add("Cents", "/watch/cents.html", {{1000, 123.45}});
    add("Jump", "/watch/jump.html", {{1000, 100}});
    add("Fresh", "/watch/jump.html");
    const QString file = save();

    CliResult result = runCli({"update", file, "--guard", "10", "--downloads", "1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find("Cents: 123.4500\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Jump: Implausible quotation: 150.0000 (last 100.0000)\n"), std::string::npos)
        << result.out;
    // Without a quotation there is nothing to compare with.
    EXPECT_NE(result.out.find("Fresh: 150.0000\n"), std::string::npos) << result.out;
    EXPECT_EQ(values("Jump"), std::vector<double>({100}));

    // The stored option holds it back too; --guard 0 turns it off for one run.
    ASSERT_EQ(runCli({"options", "GuardPercent=50"}).exitCode, 0);
    EXPECT_EQ(runCli({"update", file, "--items", "Jump"}).exitCode, 0) << "50 % is within 50 %";
    ASSERT_EQ(runCli({"options", "GuardPercent=49"}).exitCode, 0);
    testServer().addPage("/watch/jump.html", "Price 300");
    result = runCli({"update", file, "--items", "Jump", "--quiet"});
    EXPECT_EQ(result.out, "Jump: Implausible quotation: 300.0000 (last 150.0000)\n");
    EXPECT_EQ(result.exitCode, 1);
    result = runCli({"update", file, "--items", "Jump", "--quiet", "--guard", "0"});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    // Updates within a minute of each other replace each other's quotation.
    EXPECT_EQ(values("Jump").front(), 100);
    EXPECT_EQ(values("Jump").back(), 300);

    for (const char* refused : {"-1", "1001", "ten"}) {
        result = runCli({"update", file, "--guard", refused});
        EXPECT_EQ(result.exitCode, 2) << refused;
        EXPECT_NE(result.err.find("--guard takes a number from 0 to 1000."), std::string::npos) << result.err;
    }
    for (const char* refused : {"GuardPercent=1001", "GuardPercent=-1"}) {
        result = runCli({"options", refused});
        EXPECT_EQ(result.exitCode, 2) << refused;
        EXPECT_NE(result.err.find("Please enter an integer between 0 and 1000."), std::string::npos) << result.err;
    }
}

TEST_F(UpdateWatchTest, AnAlarmTurningOnIsPrintedOnceAfterTheResultsAndOnlyWhenAsked)
{
    testServer().addPage("/watch/alarm.html", "Price 120");
    m_doc.newPortfolio();
    // The three tests in their order: the first that holds names the condition.
    add("Above", "/watch/alarm.html", {{1000, 90}}, [](PortfolioItem& item) {
        item.alarmAboveEnabled = 1;
        item.alarmAbove = 100;
        item.alarmDiffEnabled = 1;
        item.avgBuyPrice = 85;
    });
    add("Below", "/watch/alarm.html", {{1000, 90}}, [](PortfolioItem& item) {
        item.alarmBelowEnabled = 1;
        item.alarmBelow = 130;
    });
    add("Diff", "/watch/alarm.html", {{1000, 90}}, [](PortfolioItem& item) {
        item.alarmDiffEnabled = 1;
        item.alarmDiffPercent = 12.5;
        item.avgBuyPrice = 100;
    });
    // Already in alarm before the update: no transition.
    add("Still", "/watch/alarm.html", {{1000, 110}}, [](PortfolioItem& item) {
        item.alarmAboveEnabled = 1;
        item.alarmAbove = 100;
    });
    const QString file = save();

    // Without --alarms the output is what it always was, though the alarm turned on.
    const CliResult plain = runCli({"update", file, "--items", "Below"});
    EXPECT_EQ(plain.out, "Below: Initialized\nBelow: 120.0000\n");

    CliResult result = runCli({"update", file, "--downloads", "1", "--alarms", "--quiet"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Alarm: Above: above 100.00\n"
              "Alarm: Diff: differs by more than 12.50% from the buy price\n");
    result = runCli({"update", file, "--downloads", "1", "--alarms"});
    EXPECT_EQ(result.out.find("Alarm:"), std::string::npos) << "the alarms are on already: " << result.out;
    EXPECT_EQ(result.out.substr(result.out.size() - 16), "Still: 120.0000\n");
}

} // namespace
