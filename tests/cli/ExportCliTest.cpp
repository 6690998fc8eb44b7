// SPDX-License-Identifier: GPL-3.0-or-later
#include "Biff2Records.h"
#include "CliRunner.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/model/PortfolioFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QStringList kUtcC = {"TZ=UTC", "LC_ALL=C"};

std::string savePortfolio(const TestEnvironment& env, const std::vector<PortfolioItem>& items)
{
    const std::string path = env.path("depot.tkr");
    std::string error;
    EXPECT_TRUE(succeeded(PortfolioFile::save(path, items), error)) << error;
    return path;
}

PortfolioItem alpha()
{
    PortfolioItem paper = PortfolioItem::newItem("Alpha", localTime(2004, 1, 1), 0);
    paper.symbol = "ALP";
    paper.quotations = {{localTime(2004, 12, 1, 17, 30), 12.5}};
    return paper;
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TEST(ExportCli, OutputNameChoosesTheFormat)
{
    TestEnvironment env;
    TestEnvironment::setTimeZone("UTC");
    const std::string portfolio = savePortfolio(env, {alpha()});

    const std::string text = env.path("report.txt");
    CliResult result = runCli({"export", q(portfolio), q(text)}, kUtcC);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readFileBytes(text), "\"Alpha\" (ALP)\r\n12/01/04 17:30; 12.5000; \r\n\r\n");

    const std::string sheet = env.path("report.xls.txt");
    result = runCli({"export", q(portfolio), q(sheet)}, kUtcC);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<Biff2Record> records;
    ASSERT_TRUE(parseBiff2(readFileBytes(sheet), records));
    const auto cells = biff2Cells(records);
    EXPECT_EQ(cells.at({1, 1}).text, "Alpha (ALP)");
    EXPECT_EQ(cells.at({2, 1}).text, "12/01/04 17:30");
    EXPECT_EQ(cells.at({2, 2}).number, 12.5);
}

TEST(ExportCli, Failures)
{
    TestEnvironment env;
    const std::string portfolio = savePortfolio(env, {alpha()});
    CliResult result = runCli({"export", q(portfolio), q(env.path("vanished/r.txt"))}, kUtcC);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "File could not be saved: No such file or directory\n");
    result = runCli({"export", q(portfolio), q(env.path("vanished/r.xls"))}, kUtcC);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "File could not be saved: No such file or directory\n");

    result = runCli({"export", q(env.path("missing.tkr")), q(env.path("r.txt"))}, kUtcC);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_FALSE(QFile::exists(q(env.path("r.txt"))));
    result = runCli({"export", q(portfolio)}, kUtcC);
    EXPECT_EQ(result.exitCode, 2);
}

TEST(ExportCli, EmptyPortfolioWritesNoTextFile)
{
    TestEnvironment env;
    const std::string portfolio = savePortfolio(env, {});
    const std::string text = env.path("r.txt");
    CliResult result = runCli({"export", q(portfolio), q(text)}, kUtcC);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(result.err.empty());
    EXPECT_FALSE(QFile::exists(q(text)));
}
