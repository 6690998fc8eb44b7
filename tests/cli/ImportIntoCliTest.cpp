// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/base/FileReader.h"
#include "core/model/PortfolioDocument.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char* const kYahooFormat = "[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]";

class ImportInto : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_portfolio = QString::fromStdString(m_env.path("depot.tkr"));
        ASSERT_EQ(runCli({"new", m_portfolio}).exitCode, 0);
        ASSERT_EQ(runCli({"add", m_portfolio, "--name", "Oracle"}).exitCode, 0);
    }

    const PortfolioItem& item(PortfolioDocument& doc, const std::string& name)
    {
        std::string error;
        EXPECT_TRUE(succeeded(doc.openPortfolio(m_portfolio.toStdString()), error)) << error;
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            if (doc.item(pos).name == name)
                return doc.item(pos);
        throw std::runtime_error("no item " + name);
    }

    TestEnvironment m_env;
    QString m_portfolio;
};

} // namespace

TEST_F(ImportInto, MergesARealNewestFirstHistoryAndSaves)
{
    const QString csv = QString::fromStdString(realDataPath("yahoo_tablecsv_orcl_2000.csv"));
    const CliResult listed = runCli({"import", csv, "--format", kYahooFormat}, {"TZ=UTC"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const CliResult merged =
        runCli({"import", csv, "--format", kYahooFormat, "--into", m_portfolio, "--item", "Oracle"}, {"TZ=UTC"});
    ASSERT_EQ(merged.exitCode, 0) << merged.err;
    EXPECT_EQ(merged.out, "") << "merging lists nothing";

    PortfolioDocument doc;
    const PortfolioItem& oracle = item(doc, "Oracle");
    const auto lines = std::count(listed.out.begin(), listed.out.end(), '\n');
    ASSERT_EQ(static_cast<long>(oracle.quotations.size()), lines);
    EXPECT_TRUE(std::is_sorted(oracle.quotations.begin(), oracle.quotations.end(),
                               [](const Quotation& a, const Quotation& b) { return a.time < b.time; }));
    // The file's first data line is the newest: 2000-12-29, close 29.06.
    EXPECT_EQ(oracle.quotations.back().value, 29.06);

    const CliResult again =
        runCli({"import", csv, "--format", kYahooFormat, "--into", m_portfolio, "--item", "Oracle"}, {"TZ=UTC"});
    ASSERT_EQ(again.exitCode, 0);
    PortfolioDocument reopened;
    EXPECT_EQ(item(reopened, "Oracle").quotations.size(), oracle.quotations.size()) << "same times replace";
}

TEST_F(ImportInto, RefusesBeforeImportingAndNeverTouchesTheFile)
{
    const QString csv = QString::fromStdString(realDataPath("yahoo_tablecsv_orcl_2000.csv"));
    const std::string before = readFileBytes(m_portfolio.toStdString());

    CliResult r = runCli({"import", csv, "--format", kYahooFormat, "--into", m_portfolio, "--item", "oracle"});
    EXPECT_EQ(r.exitCode, 2) << "item names are case-sensitive";
    EXPECT_EQ(r.out, "");
    r = runCli({"import", csv, "--format", kYahooFormat, "--into", m_portfolio});
    EXPECT_EQ(r.exitCode, 2);
    r = runCli({"import", csv, "--format", "[&day]x[&value]y", "--into", m_portfolio, "--item", "Oracle"});
    EXPECT_EQ(r.exitCode, 1) << "nothing found, nothing merged";
    EXPECT_EQ(readFileBytes(m_portfolio.toStdString()), before);

    const std::string garbage = m_env.writeFile("garbage.tkr", "no portfolio at all");
    r = runCli(
        {"import", csv, "--format", kYahooFormat, "--into", QString::fromStdString(garbage), "--item", "Oracle"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("Unexpected file format."), std::string::npos);
    EXPECT_EQ(readFileBytes(garbage), "no portfolio at all");
}

TEST_F(ImportInto, HostileFormatsOnRandomBytesEndWithTheBudgetsMessageAndLeaveTheFileAlone)
{
    struct Case {
        size_t bytes;
        const char* format;
        const char* separators;
    };
    // Formats from a random harness that each ran for minutes.
    const Case cases[] = {
        {2'000'000, ".+[&year],\t&]", " 9999.99"},
        {468'000, "[&year].*[x[&dummyvalue]\t;[&value][&value]", " 9999,99"},
    };
    const std::optional<std::string> before = readWholeFile(m_portfolio.toStdString());
    std::mt19937 random(27);
    for (const Case& c : cases) {
        std::string bytes(c.bytes, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        const std::string file = m_env.writeFile("random.bin", bytes);
        // The ceiling of runCli is the test's timeout only; the budget is 1.5 s of processor time at most.
        const CliResult r = runCli({"import", QString::fromStdString(file), "--format", c.format, "--separators",
                                    c.separators, "--into", m_portfolio, "--item", "Oracle"});
        EXPECT_EQ(r.exitCode, 1) << c.format;
        EXPECT_NE(r.err.find("RegExp matching error -47"), std::string::npos) << c.format << ": " << r.err;
        EXPECT_EQ(readWholeFile(m_portfolio.toStdString()), before) << c.format;
    }
}
