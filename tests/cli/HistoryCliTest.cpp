// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

const QStringList kUtc = {"TZ=UTC", "LC_ALL=C"};

struct HistoryCliTest : ::testing::Test {
    CliResult run(const QStringList& args) { return runCli(args, kUtc); }
    CliResult history(const QStringList& args) { return run(QStringList{"history", m_path, "Acme"} + args); }

    // "Acme" holds 10, 20 and 40 a day apart; "Rate" holds 2 from the second day on.
    void SetUp() override
    {
        m_path = QString::fromStdString(m_env.path("p.tkr"));
        ASSERT_EQ(run({"new", m_path}).exitCode, 0);
        for (const char* name : {"Acme", "Rate"})
            ASSERT_EQ(run({"add", m_path, "--name", name}).exitCode, 0);
        for (const auto& [value, time] : {std::pair{"10", "2024-01-01 10:00"}, std::pair{"20", "2024-01-02 10:00"},
                                          std::pair{"40", "2024-01-03 10:00"}})
            ASSERT_EQ(run({"quote", m_path, "Acme", value, "--time", time}).exitCode, 0);
        ASSERT_EQ(run({"quote", m_path, "Rate", "2", "--time", "2024-01-02 00:00"}).exitCode, 0);
    }

    std::string listed() { return history({"list"}).out; }

    TestEnvironment m_env;
    QString m_path;
};

TEST_F(HistoryCliTest, ListsNewestFirstAsTextAndJson)
{
    EXPECT_EQ(listed(), "2024-01-03 10:00\t40.0000\n2024-01-02 10:00\t20.0000\n2024-01-01 10:00\t10.0000\n");
    EXPECT_EQ(history({"list", "--json"}).out,
              "[{\"time\":1704276000,\"value\":40},{\"time\":1704189600,\"value\":20},"
              "{\"time\":1704103200,\"value\":10}]\n");
    const CliResult german = runCli({"history", m_path, "Rate", "list"}, {"TZ=UTC", "LC_ALL=de_DE.UTF-8"});
    if (german.out.find(',') != std::string::npos) {
        EXPECT_EQ(german.out, "2024-01-02 00:00\t2,0000\n");
    }
}

TEST_F(HistoryCliTest, EachChangePrintsItsCountAndSaves)
{
    struct Step {
        QStringList args;
        int exitCode;
        std::string out;
        std::string err;
        std::string history;
    };
    const std::vector<Step> steps = {
        {{"split", "2", "--until", "2024-01-02 12:00"},
         0,
         "Divided 2 quotations by 2.\n",
         "",
         "2024-01-03 10:00\t40.0000\n2024-01-02 10:00\t10.0000\n2024-01-01 10:00\t5.0000\n"},
        {{"split", "2", "--until", "2023-12-31 12:00"}, 1, "", "No quotation at or before 2023-12-31 12:00.\n", ""},
        {{"split", "1001"}, 2, "", "", ""},
        {{"multiply", "Rate"},
         0,
         "Multiplied 2 quotations by those of \"Rate\".\n",
         "",
         "2024-01-03 10:00\t80.0000\n2024-01-02 10:00\t20.0000\n2024-01-01 10:00\t5.0000\n"},
        {{"multiply", "Acme"}, 2, "", "", ""},
        {{"multiply", " Invested Amount History"}, 2, "", "", ""},
        {{"invert"},
         0,
         "Inverted 3 quotations.\n",
         "",
         "2024-01-03 10:00\t0.0125\n2024-01-02 10:00\t0.0500\n2024-01-01 10:00\t0.2000\n"},
        {{"delete", "--time", "2024-01-02 10:00"},
         0,
         "Deleted 1 quotation.\n",
         "",
         "2024-01-03 10:00\t0.0125\n2024-01-01 10:00\t0.2000\n"},
        {{"delete", "--time", "2024-01-02 10:00"}, 1, "", "No quotation at 2024-01-02 10:00.\n", ""},
        {{"delete"}, 2, "", "", ""},
        {{"frobnicate"}, 2, "", "", ""},
        {{"delete", "--all"}, 0, "Deleted 2 quotations.\n", "", ""},
    };
    for (const Step& step : steps) {
        const std::string before = listed();
        const CliResult result = history(step.args);
        const std::string label = step.args.join(' ').toStdString();
        EXPECT_EQ(result.exitCode, step.exitCode) << label << ": " << result.err;
        EXPECT_EQ(result.out, step.out) << label;
        if (step.exitCode != 2) {
            EXPECT_EQ(result.err, step.err) << label;
        }
        EXPECT_EQ(listed(), step.exitCode == 0 ? step.history : before) << label;
    }
}

TEST_F(HistoryCliTest, SplitWithoutUntilDividesEveryQuotationAndTheInvestment)
{
    ASSERT_EQ(run({"buy", m_path, "Acme", "10", "40"}).exitCode, 0);
    EXPECT_EQ(history({"split", "4"}).out, "Divided 3 quotations by 4.\n");
    EXPECT_EQ(listed(), "2024-01-03 10:00\t10.0000\n2024-01-02 10:00\t5.0000\n2024-01-01 10:00\t2.5000\n");
    const CliResult dumped = run({"dump", m_path});
    EXPECT_NE(dumped.out.find("\"quantity\":40"), std::string::npos) << dumped.out;
    EXPECT_NE(dumped.out.find("\"avgBuyPrice\":10"), std::string::npos) << dumped.out;
}

} // namespace
