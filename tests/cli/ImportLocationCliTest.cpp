// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "HttpTestServer.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/model/PortfolioDocument.h"

#include <gtest/gtest.h>

namespace {

const char* const kYahooFormat = "[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]";
const char* const kQuery = "/table.csv?b=[&day_begin]&a=[&month_begin-1]&c=[&year_begin]&e=[&day_end]"
                           "&d=[&month_end-1]&f=[&year_end]&g=d&ignore=.csv&s=[&symbol]";

class ImportLocationCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.running());
        m_server.addPage("/table.csv", readFileBytes(realDataPath("yahoo_tablecsv_orcl_2000.csv")));
        m_portfolio = QString::fromStdString(m_env.path("depot.tkr"));
        ASSERT_EQ(runCli({"new", m_portfolio}).exitCode, 0);
        ASSERT_EQ(runCli({"add", m_portfolio, "--name", "Oracle", "--symbol", "ORCL"}).exitCode, 0);
    }

    QStringList location(const std::string& path, const char* from = "2004-03-02", const char* to = "2004-12-31")
    {
        return {"import",   "--location", QString::fromStdString(m_server.url(path)), "--from", from, "--to", to,
                "--format", kYahooFormat};
    }

    TestEnvironment m_env;
    HttpTestServer m_server;
    QString m_portfolio;
};

} // namespace

TEST_F(ImportLocationCli, PutsThePeriodAndTheItemIntoTheTemplateAndMerges)
{
    const CliResult merged = runCli(location(kQuery) << "--into" << m_portfolio << "--item"
                                                     << "Oracle",
                                    {"TZ=UTC"});
    ASSERT_EQ(merged.exitCode, 0) << merged.err;
    EXPECT_EQ(m_server.requests(),
              std::vector<std::string>{"/table.csv?b=2&a=2&c=2004&e=31&d=11&f=2004&g=d&ignore=.csv&s=ORCL"});
    PortfolioDocument doc;
    std::string error;
    ASSERT_TRUE(succeeded(doc.openPortfolio(m_portfolio.toStdString()), error)) << error;
    ASSERT_EQ(doc.item(1).name, "Oracle");
    EXPECT_EQ(doc.item(1).quotations.size(), 252u);

    const CliResult listed = runCli(location("/table.csv?s=[&symbol]&n=[&name]") << "--symbol"
                                                                                 << "X"
                                                                                 << "--name"
                                                                                 << "Y",
                                    {"TZ=UTC"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out.substr(0, 28), "2000-12-29 20:00;29.0600\n200");
    EXPECT_EQ(m_server.requests().back(), "/table.csv?s=X&n=Y");
}

TEST_F(ImportLocationCli, ALocalPathIsReadAsAFileAddress)
{
    const std::string csv = realDataPath("yahoo_tablecsv_orcl_2000.csv");
    const CliResult listed = runCli({"import", "--location", QString::fromStdString(csv), "--from", "2000-01-01",
                                     "--to", "2000-12-31", "--format", kYahooFormat, "--json"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out.rfind("{\"message\":\"No match found!\",\"quotations\":[{\"time\":", 0), 0u);
    EXPECT_NE(listed.out.find("\"value\":29.06}"), std::string::npos);
}

TEST_F(ImportLocationCli, RefusalsAndFailures)
{
    const struct {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {location("/missing.csv?s=[&symbol]"), 3, "Error: File not found: /missing.csv?s="},
        {location(kQuery, "2004-12-31", "2004-03-02"), 2, "--from must not be later than --to."},
        {location(kQuery, "2004-02-30"), 2, "--from takes a date YYYY-MM-DD."},
        {location(kQuery) << "--into" << m_portfolio << "--item"
                          << "Nobody",
         2, "Nobody"},
        {location(kQuery) << "source.csv", 2, "import takes SOURCE or --location, not both."},
        {{"import", "x.csv", "--from", "2004-01-01"}, 2, "--from goes with --location."},
        {{"import", "--location", "x.csv", "--from", "2004-01-01"}, 2, "--location needs --from and --to."},
    };
    for (const auto& c : cases) {
        const CliResult result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString() << "\n" << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(m_server.requests(), std::vector<std::string>{"/missing.csv?s="});
}
