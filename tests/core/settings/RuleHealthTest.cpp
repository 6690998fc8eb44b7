// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/RuleHealth.h"
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

TEST(RuleHealth, OutcomesAddUpPerPortfolioAndItemWhateverTheirNames)
{
    TestEnvironment env;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(env.path("a folder/ü"))));
    const std::string first = env.path("a folder/ü/p.tkr");
    const std::string second = env.path("q.tkr");
    const std::string odd = "A/B\\C [x] ü";
    EXPECT_TRUE(RuleHealth::record(first, {}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(env.settingsPath()))) << "no run, no write";

    EXPECT_TRUE(
        RuleHealth::record(first, {{odd, false, 10, "Error: Timeout!", {}, {}}, {"Plain", true, 20, {}, {}, {}}}));
    EXPECT_TRUE(RuleHealth::record(first, {{odd, false, 30, "Error: Server!", {}, {}}}));
    EXPECT_TRUE(RuleHealth::record(second, {{odd, true, 40, {}, {}, {}}}));
    const std::map<std::string, RuleHealth> health = RuleHealth::read(first);
    ASSERT_EQ(health.size(), 2u);
    EXPECT_EQ(health.at(odd), (RuleHealth{0, 2, "Error: Server!", "", "", 0}));
    EXPECT_EQ(health.at("Plain"), (RuleHealth{20, 0, "", "", "", 0}));
    EXPECT_FALSE(health.at(odd).failing());

    // A success ends the run of failures and keeps the last failure's text.
    EXPECT_TRUE(RuleHealth::record(first, {{odd, false, 50, "Error: Wrong URL!", {}, {}}}));
    EXPECT_TRUE(RuleHealth::read(first).at(odd).failing());
    EXPECT_TRUE(RuleHealth::record(first, {{odd, true, 60, {}, {}, {}}}));
    EXPECT_EQ(RuleHealth::read(first).at(odd), (RuleHealth{60, 0, "Error: Wrong URL!", "", "", 0}));
    EXPECT_EQ(RuleHealth::read(second).at(odd), (RuleHealth{40, 0, "", "", "", 0}));
    EXPECT_TRUE(RuleHealth::read(env.path("none.tkr")).empty());
}

TEST(RuleHealth, ASuccessKeepsTheTextBeforeItsValueUntilTheNextSuccessWithOne)
{
    TestEnvironment env;
    const std::string path = env.path("p.tkr");
    EXPECT_TRUE(RuleHealth::record(path, {{"A", true, 10, {}, "Letzter Kurs:<>", {}}}));
    EXPECT_TRUE(RuleHealth::record(path, {{"A", false, 20, "Error: Timeout!", {}, {}}}));
    EXPECT_EQ(RuleHealth::read(path).at("A").LastTextBefore, "Letzter Kurs:<>");
    // A success without a text (a JSON rule) leaves the last one.
    EXPECT_TRUE(RuleHealth::record(path, {{"A", true, 30, {}, {}, {}}}));
    EXPECT_EQ(RuleHealth::read(path).at("A"), (RuleHealth{30, 0, "Error: Timeout!", "Letzter Kurs:<>", "", 0}));
    EXPECT_TRUE(RuleHealth::record(path, {{"A", true, 40, {}, "Kurs aktuell ", {}}}));
    EXPECT_EQ(RuleHealth::read(path).at("A").LastTextBefore, "Kurs aktuell ");
}

TEST(RuleHealth, FallbackSinceMarksTheFirstOfARunOfFallbackSuccesses)
{
    TestEnvironment env;
    const std::string path = env.path("p.tkr");
    const struct {
        RuleHealth::Outcome outcome;
        std::string fallback;
        int64_t since;
    } steps[] = {
        {{"Item", true, 10, {}, {}, "Backup"}, "Backup", 10},
        {{"Item", false, 20, "Error: Timeout!", {}, {}}, "Backup", 10},
        {{"Item", true, 30, {}, {}, "Other"}, "Other", 10},
        {{"Item", true, 40, {}, {}, {}}, "", 0},
        {{"Item", true, 50, {}, {}, "Backup"}, "Backup", 50},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(RuleHealth::record(path, {step.outcome}));
        const RuleHealth health = RuleHealth::read(path).at("Item");
        EXPECT_EQ(health.Fallback, step.fallback) << step.outcome.time;
        EXPECT_EQ(health.FallbackSince, step.since) << step.outcome.time;
    }
}

TEST(RuleHealth, AnItemTwiceInOneRunCountsTwiceOtherFieldsStayAndAFailedWriteIsTold)
{
    TestEnvironment env;
    const std::string path = env.path("p.tkr");
    // A field that is not ours stays and changes nothing.
    const QString note = SettingsKeys::ruleHealthSection() + '/' + SettingsStore::escapeKey(path) + "/A/Note";
    SettingsStore::open()->setValue(note, "kept");
    const std::vector<std::vector<RuleHealth::Outcome>> runs = {
        {{"A", true, 10, {}, "Kurs ", {}}, {"B", false, 10, "Error: Timeout!", {}, {}}},
        {{"B", false, 20, "Error: Server!", {}, {}},
         {"B", false, 21, "Error: Timeout!", {}, {}},
         {"A", true, 20, {}, {}, "Backup"}},
        {{"A", true, 30, {}, {}, "Backup"}},
    };
    for (const auto& run : runs)
        ASSERT_TRUE(RuleHealth::record(path, run));
    const std::map<std::string, RuleHealth> health = RuleHealth::read(path);
    ASSERT_EQ(health.size(), 2u);
    EXPECT_EQ(health.at("A"), (RuleHealth{30, 0, "", "Kurs ", "Backup", 20}));
    EXPECT_EQ(health.at("B"), (RuleHealth{0, 3, "Error: Timeout!", "", "", 0}));
    EXPECT_EQ(SettingsStore::open()->value(note).toString(), "kept");

    // A settings file that cannot be written: a file stands where its folder should be.
    qputenv("TICKORA_SETTINGS", QByteArray::fromStdString(env.writeFile("plain", "x") + "/settings.ini"));
    EXPECT_FALSE(RuleHealth::record(path, runs.front()));
}
