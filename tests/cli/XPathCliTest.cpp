// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "DownloadTestSupport.h"
#include "StatusOutcome.h"
#include "core/extract/XPathRule.h"
#include "core/model/PortfolioDocument.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

QStringList args(std::initializer_list<std::string> list)
{
    QStringList result;
    for (const std::string& a : list)
        result << QString::fromStdString(a);
    return result;
}

const std::string kClose =
    "//tbody/tr[last()]/td[count(//thead//th[normalize-space()='Schluss']/preceding-sibling::th)+1]";
const std::string kDate =
    "//tbody/tr[last()]/td[count(//thead//th[normalize-space()='Datum']/preceding-sibling::th)+1]";

TEST(XPathCli, ExtractsFromTheRealFundTableAndReportsFailures)
{
    TestEnvironment env;
    TestEnvironment::setTimeZone("UTC");
    const std::string page = realDataPath("de_fund_history_table.html");
    auto r = runCli(args({"extract", page, "--separators", "9.999,99", "--xpath", kClose, "--xpath-date", kDate,
                          "--reference", "2024-01-02 10:30"}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Value: 677.1300\nDate/Time: 2020-12-07 10:30\n");

    r = runCli(args({"extract", page, "--xpath", "//td[@class='nix']"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Error: XPath not found! (//td[@class='nix'])\n");
    r = runCli(args({"extract", page, "--xpath", "//h1", "--json"}));
    EXPECT_NE(r.out.find("\"status\":0"), std::string::npos) << r.out;
    r = runCli(args({"extract", page, "--xpath", "//td[", "--json"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("tickora-cli: Invalid XPath expression: Invalid expression\n", 0), 0u) << r.err;
}

// libxml2 is loaded when an XPath rule first needs it; a broken one is a reason, not a crash.
TEST(XPathCli, WithoutAWorkingXmlLibraryTheRuleFailsWithTheReason)
{
    TestEnvironment env;
    QDir().mkpath(QString::fromStdString(env.path("libs")));
    env.writeFile("libs/libxml2.so.2", "not a library");
    const QStringList brokenLibrary = {QString::fromStdString("LD_LIBRARY_PATH=" + env.path("libs"))};
    const std::string page = realDataPath("de_fund_history_table.html");
    auto r = runCli(args({"extract", page, "--xpath", "//h1"}), brokenLibrary);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("libxml2 could not be loaded: "), std::string::npos) << r.err;
    r = runCli(args({"wizard", page, "--quote", "677,13", "--xpath"}), brokenLibrary);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("libxml2 could not be loaded: "), std::string::npos) << r.err;
}

TEST(XPathCli, WizardProposesRulesThatFindTheQuotation)
{
    TestEnvironment env;
    const std::string page = realDataPath("de_fund_history_table.html");
    auto r = runCli(args({"wizard", page, "--quote", "677,13", "--xpath", "--json"}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"message\":\"\",\"xpaths\":[", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("//tr[td][3]/td[count((//th[normalize-space()='Schluss'])[1]/preceding-sibling::th)+1]"),
              std::string::npos)
        << r.out;
    r = runCli(args({"wizard", page, "--quote", "1,23", "--xpath"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
}

TEST(XPathCli, ExpressionsAreStoredShownAndRefused)
{
    TestEnvironment env;
    auto r = runCli(
        args({"servers", "set", "X", "--url", "http://127.0.0.1/q", "--xpath", "//a | //b", "--xpath-time", "//t"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(runCli(args({"servers", "set", "X", "--xpath-date", "//d"})).exitCode, 0);
    // Not a regular expression, and not refused as one.
    r = runCli(args({"servers", "set", "Y", "--xpath", "//p[.='a)']"}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = runCli(args({"servers", "show", "X"}));
    EXPECT_NE(r.out.find("\nFiltering=1\nRegExp=(?!)xpath://a \\| //b|date://d|time://t\n"), std::string::npos)
        << r.out;
    ASSERT_EQ(runCli(args({"servers", "set", "X", "--xpath-time", ""})).exitCode, 0);
    EXPECT_NE(runCli(args({"servers", "show", "X"})).out.find("RegExp=(?!)xpath://a \\| //b|date://d\n"),
              std::string::npos);

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--xpath", "//td[1"}, "Invalid XPath expression: Invalid predicate"},
        {{"--xpath", "//td", "--xpath-date", "//d\t"}, "An XPath expression must not hold control characters."},
        {{"--xpath", "//td" + std::string(252, ' ')}, "The XPath expressions are longer than 259 characters."},
        {{"--xpath", "//td", "--json-path", "$.a"}, "Contradicting options given."},
        {{"--xpath", "//td", "--standard"}, "Contradicting options given."},
        {{"--xpath", ""}, "The XPath rule needs a value expression."},
    };
    for (const auto& [options, message] : refused) {
        QStringList line = args({"servers", "set", "X"});
        for (const std::string& option : options)
            line << QString::fromStdString(option);
        r = runCli(line);
        EXPECT_EQ(r.exitCode, 2) << message;
        EXPECT_EQ(r.err.rfind("tickora-cli: " + message + "\n", 0), 0u) << r.err;
    }
    r = runCli(args({"servers", "set", "Plain", "--xpath-date", "//d"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("tickora-cli: --xpath-date and --xpath-time need --xpath.\n", 0), 0u) << r.err;

    const std::string file = env.path("p.tkr");
    ASSERT_EQ(runCli(args({"new", file})).exitCode, 0);
    ASSERT_EQ(runCli(args({"add", file, "--name", "Fund", "--xpath", "//p", "--xpath-date", "//d"})).exitCode, 0);
    EXPECT_NE(runCli(args({"dump", file})).out.find("(?!)xpath://p|date://d"), std::string::npos);
}

TEST(XPathCli, UpdateReadsPagesOverHttp)
{
    TestEnvironment env;
    TestEnvironment::setTimeZone("UTC");
    testServer().addPage("/xpath/fund.html", readFileBytes(realDataPath("de_fund_history_table.html")));
    testServer().addPage("/xpath/quote.html", "<div id=q><span class='price'>12,5 EUR</span></div>");
    const struct {
        const char* name;
        const char* page;
        XPathRule expressions;
    } items[] = {
        {"Fund", "/xpath/fund.html", {kClose, kDate, ""}},
        {"Quote", "/xpath/quote.html", {"//*[@id='q']/span", "", ""}},
        {"Gone", "/xpath/quote.html", {"//*[@id='x']", "", ""}},
    };
    PortfolioDocument doc;
    doc.newPortfolio();
    for (const auto& item : items) {
        PortfolioItem added = PortfolioItem::newItem(item.name, 0, 0);
        added.server = standardRules(testServer().url(item.page), "");
        added.server.name = ServerConfig::kUserDefinedName;
        added.server.Filtering = 1;
        added.server.Format = 0;
        added.server.TAUSEND = ".";
        added.server.DECIMAL = ",";
        added.server.RegExp = item.expressions.encode();
        doc.addItem(added);
    }
    std::string error;
    const std::string path = env.path("xpath.tkr");
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;

    const CliResult result = runCli({"update", QString::fromStdString(path), "--downloads", "1"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    for (const char* line : {"Fund: 677.1300\n", "Quote: 12.5000\n", "Gone: Error: XPath not found! (//*[@id='x'])\n"})
        EXPECT_NE(result.out.find(line), std::string::npos) << line << result.out;
    ASSERT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
    ASSERT_EQ(doc.item(1).quotations.size(), 1u) << result.out;
    EXPECT_EQ(doc.item(1).quotations[0].value, 677.13);
    EXPECT_EQ(doc.item(1).quotations[0].time / 86400, localTime(2020, 12, 7) / 86400);
    EXPECT_EQ(doc.item(1).server.RegExp, items[0].expressions.encode());
    EXPECT_TRUE(doc.item(3).quotations.empty());
}

} // namespace
