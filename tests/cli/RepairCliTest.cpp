// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "DownloadTestSupport.h"
#include "StatusOutcome.h"
#include "core/base/FileReader.h"
#include "core/extract/JsonRule.h"
#include "core/extract/XPathRule.h"
#include "core/model/PortfolioDocument.h"
#include "core/servers/ServerStore.h"
#include "core/settings/RuleHealth.h"

#include <gtest/gtest.h>

namespace {

// The old rules of an item whose page then changed as the page file says.
struct ChangedPage {
    const char* page;
    ServerConfig rules;
    double reference;
    const char* lastTextBefore;
    const char* value; // what the best candidate must read, as printed; nullptr: no candidate
    const char* rule; // a part of the best candidate's description
};

ServerConfig standardSearch(int format, const char* startText, int tags, const char* thousands = ".",
                            const char* decimal = ",")
{
    ServerConfig rules = ServerConfig::newServerDefaults();
    rules.Format = format;
    rules.Text_before_Value = startText;
    rules.Nr_HTML_before_Value = tags;
    rules.TAUSEND = thousands;
    rules.DECIMAL = decimal;
    return rules;
}

ServerConfig expression(const std::string& pattern)
{
    ServerConfig rules = standardSearch(0, "", 0);
    rules.Filtering = 1;
    rules.RegExp = pattern;
    return rules;
}

class RepairCliTest : public ::testing::Test {
protected:
    std::string portfolio(const ServerConfig& rules, double reference, const std::string& serverName = {})
    {
        PortfolioDocument doc;
        doc.newPortfolio();
        PortfolioItem item = PortfolioItem::newItem("DNB Fund", 0, 0);
        item.server = rules;
        item.server.name = serverName.empty() ? ServerConfig::kUserDefinedName : serverName;
        if (reference > 0)
            item.quotations = {{1607299200, reference}};
        doc.addItem(item);
        std::string error;
        const std::string path = m_env.path("p.tkr");
        EXPECT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
        return path;
    }

    static QString page(const char* name)
    {
        return QString::fromStdString(testDataPath(std::string("repair/") + name));
    }

    TestEnvironment m_env;
};

} // namespace

TEST_F(RepairCliTest, TheRightRuleRanksFirstOnEveryChangedPage)
{
    const ChangedPage cases[] = {
        {"de_fund-changed-relabelled.html", standardSearch(1, "Schluss:", 2), 675.37, "<>Schluss:<><>", "677.1300",
         "start \"Schlusskurs (EUR)\" tags 2 numbers 0, 9.999,99, semi-html"},
        {"de_fund-changed-markup-added.html", standardSearch(1, "Schluss:", 2), 675.37, "", "677.1300",
         "start \"Schluss:\" tags 5 numbers 0, 9.999,99, semi-html"},
        {"de_fund-changed-value-in-tag.html", standardSearch(1, "Schluss:", 2), 675.37, "", "677.1300",
         "data-close=\""},
        {"de_fund-changed-regex-broken.html", expression("Schluss:</td><td>([0-9.,]+)"), 675.37, "", "677.1300",
         "Schluss"},
        {"de_fund-changed-near-numbers.html", standardSearch(1, "Schluss", 2), 675.37, "<>Schluss<><>", "677.1300",
         "start \"Schluss:\" tags 2 numbers 0"},
        {"de_fund-changed-english-format.html", standardSearch(1, "Close:", 2), 1675.37, "", "1677.1300",
         "start \"Close:\" tags 2 numbers 0, 9,999.99, semi-html"},
        {"yahoo_chart_tsla-changed-moved.json",
         expression(JsonRule("$.chart.result[0].meta.regularMarketPrice", "", "").encode()), 225.0, "", "230.2900",
         "json $.quoteResponse.result[0].regularMarketPrice"},
        {"de_fund-changed-markup-added.html",
         expression(XPathRule("//td[normalize-space()='Schlusskurs']/following-sibling::td[1]", "", "").encode()),
         675.37, "", "677.1300", "xpath "},
        {"de_fund-changed-maintenance.html", standardSearch(1, "Schluss:", 2), 675.37, "", nullptr, nullptr},
    };
    int first = 0;
    for (const ChangedPage& c : cases) {
        SCOPED_TRACE(c.page);
        const std::string path = portfolio(c.rules, c.reference);
        if (*c.lastTextBefore) {
            ASSERT_TRUE(RuleHealth::record(path, {{"DNB Fund", true, 1, {}, c.lastTextBefore, {}}}));
        }
        const CliResult r = runCli({"repair", QString::fromStdString(path), "DNB Fund", "--page", page(c.page)});
        if (!c.value) {
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.err, "No rule on this page finds a value within 20% of 675.3700.\n");
            continue;
        }
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const size_t second = r.out.find("\n2. ");
        const std::string best = r.out.substr(0, second);
        EXPECT_NE(best.find(std::string("\n1. ") + c.value + "  "), std::string::npos) << r.out;
        const bool ranked = best.find(c.rule) != std::string::npos;
        EXPECT_TRUE(ranked) << r.out;
        first += ranked ? 1 : 0;
    }
    EXPECT_EQ(first, 8);
}

TEST_F(RepairCliTest, OutputNamesTheCurrentResultAndTheCandidatesAsJson)
{
    const std::string path = portfolio(standardSearch(1, "Schluss:", 2), 675.37);
    CliResult r = runCli(
        {"repair", QString::fromStdString(path), "DNB Fund", "--page", page("de_fund-changed-near-numbers.html")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Current rule: 677.1300");
    EXPECT_NE(r.out.find("  \u00AB675,30 Schluss: 677,13 Vor\u00BB\n"), std::string::npos) << r.out;

    r = runCli({"repair", QString::fromStdString(path), "DNB Fund", "--page", page("de_fund-changed-relabelled.html"),
                "--json", "--tolerance", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.find("{\"candidates\":[{\"excerpt\":"), 0u) << r.out;
    EXPECT_NE(r.out.find("\"current\":null"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"Text_before_Value\":\"Schlusskurs (EUR)\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"reference\":675.37"), std::string::npos) << r.out;
}

TEST_F(RepairCliTest, ApplyWritesTheItemsOwnRulesOrTheStoredServer)
{
    const std::string path = portfolio(standardSearch(1, "Schluss", 2), 675.37);
    const QString changed = page("de_fund-changed-markup-added.html");
    CliResult r = runCli({"repair", QString::fromStdString(path), "DNB Fund", "--page", changed, "--apply", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "DNB Fund: start \"Schluss:\" tags 5 numbers 0, 9.999,99, semi-html\n");
    r = runCli({"repair", QString::fromStdString(path), "DNB Fund", "--page", changed});
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Current rule: 677.1300") << "the applied rule reads the page";

    ASSERT_TRUE(ServerStore::writeServerConfig("Fonds", standardSearch(1, "Schluss", 2)));
    const std::string shared = portfolio(standardSearch(1, "Schluss", 2), 675.37, "Fonds");
    const std::string before = readFileBytes(shared);
    r = runCli({"repair", QString::fromStdString(shared), "DNB Fund", "--page", changed, "--apply", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Server Fonds changed: used by 1 items.\n");
    ServerConfig stored;
    ServerStore::readServerConfig("Fonds", stored);
    EXPECT_EQ(stored.Nr_HTML_before_Value, 5);
    EXPECT_EQ(readFileBytes(shared), before) << "the portfolio itself is left as it was";
}

TEST_F(RepairCliTest, RefusalsAndFailuresWriteNothing)
{
    const std::string path = portfolio(standardSearch(1, "Schluss:", 2), 675.37);
    const QString file = QString::fromStdString(path);
    const QString changed = page("de_fund-changed-near-numbers.html");
    const std::string before = readFileBytes(path);
    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"repair", file, "Nobody", "--page", changed}, 2},
        {{"repair", file, "DNB Fund", "--page", changed, "--tolerance", "0"}, 2},
        {{"repair", file, "DNB Fund", "--page", changed, "--tolerance", "101"}, 2},
        {{"repair", file, "DNB Fund", "--page", changed, "--apply", "0"}, 2},
        {{"repair", file, "DNB Fund", "--page", page("de_fund-changed-relabelled.html"), "--apply", "5"}, 2},
        {{"repair", file, "DNB Fund", "--page", page("de_fund-changed-maintenance.html"), "--apply", "1"}, 1},
        {{"repair", file, "DNB Fund", "--page", QString::fromStdString(m_env.path("missing.html"))}, 3},
        {{"repair", QString::fromStdString(m_env.path("missing.tkr")), "DNB Fund", "--page", changed}, 3},
        {{"repair", file}, 2},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString() << "\n" << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(readFileBytes(path), before);

    const std::string empty = portfolio(standardSearch(1, "Schluss:", 2), 0);
    const CliResult r = runCli({"repair", QString::fromStdString(empty), "DNB Fund", "--page", changed});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "DNB Fund has no quotation to compare with.\n");
}

TEST_F(RepairCliTest, DownloadsThePageWithTheItemsRulesAndLearnsFromTheLastUpdate)
{
    testServer().addPage("/repair/fund.html", readFileBytes(testDataPath("repair/de_fund-changed-near-numbers.html")));
    ServerConfig rules = standardSearch(1, "Schluss:", 2);
    rules.URL = testServer().url("/repair/fund.html");
    const std::string path = portfolio(rules, 670.0);
    const QString file = QString::fromStdString(path);
    CliResult r = runCli({"update", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string recorded = RuleHealth::read(path).at("DNB Fund").LastTextBefore;
    EXPECT_EQ(recorded.substr(recorded.size() - 16), "<><>schluss:<><>") << "folded as searched: " << recorded;
    EXPECT_NE(recorded.find("675,30"), std::string::npos) << recorded;

    testServer().addPage("/repair/fund.html", readFileBytes(testDataPath("repair/de_fund-changed-relabelled.html")));
    r = runCli({"repair", file, "DNB Fund"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\n1. 677.1300  start \"Schlusskurs (EUR)\""), std::string::npos) << r.out;

    rules.URL = testServer().url("/repair/missing.html");
    r = runCli({"repair", QString::fromStdString(portfolio(rules, 670.0)), "DNB Fund"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("Error"), std::string::npos) << r.err;
}
