// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "DownloadTestSupport.h"
#include "StatusOutcome.h"
#include "core/model/PortfolioDocument.h"
#include "core/servers/ServerStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<std::string> list)
{
    QStringList result;
    for (const std::string& a : list)
        result << QString::fromStdString(a);
    return result;
}

// A page of the test server, or a whole address.
void storeServer(const std::string& name, const std::string& page, const std::string& fallback = {},
                 const std::string& crossCheck = {})
{
    const std::string url = page.find("://") == std::string::npos ? testServer().url("/fb/" + page) : page;
    ServerConfig config = standardRules(url, "Price", 10);
    config.Fallback = fallback;
    config.CrossCheck = crossCheck;
    ASSERT_TRUE(ServerStore::writeServerConfig(name, config)) << name;
}

std::string showServer(const std::string& name)
{
    return runCli(args({"servers", "show", name})).out;
}

TEST(FallbackCli, LinksAreSetShownAndRefusedWithoutStoringAnything)
{
    TestEnvironment env;
    for (const char* name : {"A", "B", "C"})
        ASSERT_EQ(runCli(args({"servers", "set", name, "--url", "http://127.0.0.1/"})).exitCode, 0);
    ASSERT_EQ(runCli(args({"servers", "set", "A", "--fallback", "B"})).exitCode, 0);
    ASSERT_EQ(
        runCli(args({"servers", "set", "B", "--fallback", "C", "--cross-check", "A", "--cross-check-percent", "0.5"}))
            .exitCode,
        0);
    EXPECT_NE(showServer("A").find("RegExpMinuteIndex=6\nFallback=B\n"), std::string::npos) << showServer("A");
    EXPECT_NE(showServer("B").find("\nFallback=C\nCrossCheck=A\nCrossCheckPercent=0.5\n"), std::string::npos);
    EXPECT_EQ(showServer("C").find("Fallback"), std::string::npos) << "unset links print nothing";

    const std::string before = showServer("C") + showServer("A");
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } refusals[] = {
        {{"A", "--fallback", "A"}, "A server cannot fall back on itself."},
        {{"A", "--cross-check", "A"}, "A server cannot be checked against itself."},
        {{"A", "--fallback", "Nobody"}, "The server properties for 'Nobody'\n do not exist on this computer!"},
        {{"C", "--fallback", "A"}, "The fallback chain would return to 'C'."},
        {{"A", "--cross-check", "C", "--cross-check-percent", "0.09"}, "--cross-check-percent takes a number"},
        {{"A", "--cross-check", "C", "--cross-check-percent", "100.5"}, "--cross-check-percent takes a number"},
        {{"A", "--cross-check", "C", "--cross-check-percent", "many"}, "--cross-check-percent takes a number"},
        {{"A", "--fallback", "C", "--clear-fallback"}, "exclude each other"},
        {{"A", "--cross-check", "C", "--clear-cross-check"}, "excludes"},
    };
    for (const auto& refusal : refusals) {
        QStringList arguments{"servers", "set"};
        for (const std::string& a : refusal.arguments)
            arguments << QString::fromStdString(a);
        const CliResult r = runCli(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(r.err.find(refusal.error), std::string::npos) << r.err;
    }
    EXPECT_EQ(showServer("C") + showServer("A"), before) << "a refused set stores nothing";

    const QJsonObject json =
        QJsonDocument::fromJson(runCli(args({"servers", "show", "B", "--json"})).out.c_str()).object();
    EXPECT_EQ(json["fallback"].toString(), "C");
    EXPECT_EQ(json["crossCheck"].toString(), "A");
    EXPECT_DOUBLE_EQ(json["crossCheckPercent"].toDouble(), 0.5);
    const QJsonObject unset =
        QJsonDocument::fromJson(runCli(args({"servers", "show", "C", "--json"})).out.c_str()).object();
    EXPECT_EQ(unset["fallback"].toString(), "");
    EXPECT_EQ(unset["crossCheckPercent"].toDouble(), 0.0);

    // Deleting a server others name is allowed; the names stay, marked.
    ASSERT_EQ(runCli(args({"servers", "delete", "C"})).exitCode, 0);
    EXPECT_NE(showServer("B").find("\nFallback=C (missing)\n"), std::string::npos) << showServer("B");
    EXPECT_EQ(runCli(args({"servers", "set", "B", "--timeout", "20"})).exitCode, 0)
        << "a missing reference does not block other changes";
    ASSERT_EQ(runCli(args({"servers", "set", "B", "--clear-fallback", "--clear-cross-check"})).exitCode, 0);
    EXPECT_EQ(showServer("B").find("Fallback"), std::string::npos);
    EXPECT_EQ(showServer("B").find("CrossCheck"), std::string::npos);
}

class FallbackUpdateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testServer(); }

    FallbackUpdateTest()
    {
        TestEnvironment::setTimeZone("UTC");
        testServer().addPage("/fb/up.html", "Price 12.5");
        testServer().addPage("/fb/near.html", "Price 12.6");
        testServer().addPage("/fb/far.html", "Price 20");
        testServer().addPage("/fb/empty.html", "nothing here");
        testServer().addPage("/fb/shared.html", "Price 3.25");
        storeServer("Up", "up.html");
        storeServer("Near", "near.html");
        storeServer("Far", "far.html");
        storeServer("Empty", "empty.html");
        storeServer("Shared", "shared.html");
        // Nothing listens on port 1: a dead server.
        storeServer("DownToUp", "http://127.0.0.1:1/fb/dead.html", "Up");
        storeServer("DownToShared", "gone-2.html", "Shared");
        // Three servers fail in turn; the fourth is never asked.
        storeServer("DownChain", "gone-3.html", "EmptyChain");
        storeServer("EmptyChain", "empty.html", "DownEnd");
        storeServer("DownEnd", "gone-4.html", "Up");
        storeServer("Checked", "up.html", "", "Near");
        storeServer("Disputed", "up.html", "", "Far");
        storeServer("DisputedToNear", "up.html", "Near", "Far");
        storeServer("CheckFails", "up.html", "", "Empty");
    }

    std::string portfolio(const std::vector<std::pair<std::string, std::string>>& itemServers)
    {
        PortfolioDocument doc;
        doc.newPortfolio();
        for (const auto& [name, server] : itemServers) {
            PortfolioItem item = PortfolioItem::newItem(name, 0, 0);
            item.server.name = server;
            doc.addItem(item);
        }
        std::string error;
        const std::string path = m_env.path("fb.tkr");
        EXPECT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
        return path;
    }

    static std::vector<double> storedValues(const std::string& path)
    {
        PortfolioDocument doc;
        std::string error;
        EXPECT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
        std::vector<double> values;
        for (int pos = 1; pos < doc.itemCount(); ++pos)
            values.push_back(doc.item(pos).quotations.empty() ? 0.0 : doc.item(pos).quotations.back().value);
        return values;
    }

    TestEnvironment m_env;
};

TEST_F(FallbackUpdateTest, FallbacksAndCrossChecksDecideWhatIsStoredAndPrinted)
{
    const std::string path = portfolio({{"Rescued", "DownToUp"},
                                        {"Lost", "DownChain"},
                                        {"Confirmed", "Checked"},
                                        {"Doubted", "Disputed"},
                                        {"Replaced", "DisputedToNear"},
                                        {"Unchecked", "CheckFails"}});
    testServer().resetStats();
    const CliResult r = runCli({"update", QString::fromStdString(path), "--downloads", "1"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    const std::string gone = "Error: File not found: /fb/gone-";
    for (const std::string& line : std::vector<std::string>{
             "Rescued: 12.5000 (from Up)\n",
             "Lost: " + gone + "3.html; EmptyChain: Error: Text not found!; DownEnd: " + gone + "4.html\n",
             "Confirmed: 12.5000 (checked against Near)\n",
             "Doubted: Error: Sources disagree! (12.5000 from Disputed, 20.0000 from Far)\n",
             "Replaced: 12.6000 (from Near)\n",
             "Unchecked: 12.5000 (not cross-checked: Empty failed)\n",
         })
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "in\n" << r.out;
    EXPECT_EQ(testServer().requestCount("/fb/gone-4.html"), 1);
    EXPECT_EQ(storedValues(path), (std::vector<double>{12.5, 0.0, 12.5, 0.0, 12.6, 12.5}));

    const CliResult health = runCli({"health", QString::fromStdString(path), "--json"});
    const QJsonArray items = QJsonDocument::fromJson(health.out.c_str()).array();
    ASSERT_EQ(items.size(), 6) << health.out;
    EXPECT_EQ(items[0].toObject()["fallback"].toString(), "Up");
    EXPECT_GT(items[0].toObject()["fallbackSince"].toInteger(), 0);
    EXPECT_TRUE(items[2].toObject()["fallback"].isNull()) << "the own server worked";
    EXPECT_EQ(items[1].toObject()["failures"].toInt(), 1);
    EXPECT_NE(items[1].toObject()["lastFailure"].toString().toStdString().find("; DownEnd: "), std::string::npos);
    const std::string lines = runCli({"health", QString::fromStdString(path)}).out;
    EXPECT_NE(lines.find("\tvia Up since "), std::string::npos) << lines;
    EXPECT_NE(lines.find("\tvia Near since "), std::string::npos) << lines;
}

TEST_F(FallbackUpdateTest, ItemsOfOnePageShareTheFallbackDownloadAndSucceedWithExitZero)
{
    const std::string path = portfolio({{"First", "DownToShared"}, {"Second", "DownToShared"}, {"Third", "Checked"}});
    testServer().resetStats();
    const CliResult r = runCli({"update", QString::fromStdString(path), "--downloads", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("First: 3.2500 (from Shared)\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Second: 3.2500 (from Shared)\n"), std::string::npos) << r.out;
    EXPECT_EQ(testServer().requestCount("/fb/gone-2.html"), 1);
    EXPECT_EQ(testServer().requestCount("/fb/shared.html"), 1);

    // A fallback deleted since is left out: the item fails with its own server's failure alone.
    ServerStore::deleteServerConfig("Shared");
    const CliResult without = runCli({"update", QString::fromStdString(path), "--items", "First"});
    EXPECT_EQ(without.exitCode, 1);
    EXPECT_EQ(without.out, "First: Initialized\nFirst: Error: File not found: /fb/gone-2.html\n");
}

} // namespace
