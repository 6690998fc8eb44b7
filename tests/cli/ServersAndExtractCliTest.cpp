// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"

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

QJsonObject json(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

} // namespace

TEST(ServersCli, SetShowAndDeleteAServerWithAnAwkwardName)
{
    TestEnvironment env;
    const std::string name = "Bank/Fonds | Übersicht";
    auto r = runCli(args({"servers", "set", name, "--url", "http://x/[&symbol]", "--separators", "9.999,99", "--start",
                          "Kurs", "--format", "2", "--numbers", "1", "--case-sensitive"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;

    r = runCli(args({"servers", "list"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find(name + "\n"), std::string::npos);

    r = runCli(args({"servers", "show", name}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "URL=http://x/[&symbol]\nTimeout=180\nTAUSEND=.\nDECIMAL=,\nFormat=2\nText_before_Value=Kurs\n"
              "Nr_HTML_before_Value=0\nNumbers_before_Value=1\nNoCaseSensitiv=0\nFiltering=0\n"
              "RegExp=[&symbol][\"', \\t\\r\\n]*([0-9,]+)\nRegExpQuotationIndex=1\nbRegExpExtractDate=0\n"
              "RegExpDayIndex=2\nRegExpMonthIndex=3\nRegExpYearIndex=4\nbRegExpExtractTime=0\n"
              "RegExpHourIndex=5\nRegExpMinuteIndex=6\n");

    r = runCli(args({"servers", "set", name, "--regex", "([0-9]+)", "--date", "3,4,5", "--timeout", "30"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = runCli(args({"servers", "show", name, "--json"}));
    const QJsonObject object = json(r.out);
    EXPECT_EQ(object.size(), 22) << "the 19 fields, fallback, crossCheck and crossCheckPercent";
    EXPECT_EQ(object["Filtering"].toInt(), 1);
    EXPECT_EQ(object["RegExp"].toString(), "([0-9]+)");
    EXPECT_EQ(object["bRegExpExtractDate"].toInt(), 1);
    EXPECT_EQ(object["RegExpYearIndex"].toInt(), 5);
    EXPECT_EQ(object["Timeout"].toInt(), 30);
    EXPECT_EQ(object["Text_before_Value"].toString(), "Kurs") << "fields not given keep their stored value";

    EXPECT_EQ(runCli(args({"servers", "delete", name})).exitCode, 0);
    r = runCli(args({"servers", "show", name}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "The server properties for '" + name + "'\n do not exist on this computer!\n");
}

TEST(ServersCli, RequestHeadersAreSetListedAndCleared)
{
    TestEnvironment env;
    auto r = runCli(args({"servers", "set", "H", "--url", "http://x/", "--header", "X-Symbol: [&symbol]", "--header",
                          "Accept-Language: de"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = runCli(args({"servers", "show", "H"}));
    EXPECT_NE(r.out.find("RegExpMinuteIndex=6\nHeader=X-Symbol: [&symbol]\nHeader=Accept-Language: de\n"),
              std::string::npos)
        << r.out;
    r = runCli(args({"servers", "show", "H", "--json"}));
    EXPECT_EQ(json(r.out)["headers"].toArray(), QJsonArray({"X-Symbol: [&symbol]", "Accept-Language: de"}));

    r = runCli(args({"servers", "set", "H", "--header", "X-Bad: a\r\nX-Injected: b"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("control character"), std::string::npos) << r.err;
    EXPECT_EQ(runCli(args({"servers", "set", "H", "--header", "X: 1", "--clear-headers"})).exitCode, 2);

    ASSERT_EQ(runCli(args({"servers", "set", "H", "--timeout", "9"})).exitCode, 0);
    EXPECT_NE(runCli(args({"servers", "show", "H"})).out.find("Header=X-Symbol"), std::string::npos)
        << "other changes keep the headers";
    ASSERT_EQ(runCli(args({"servers", "set", "H", "--clear-headers"})).exitCode, 0);
    r = runCli(args({"servers", "show", "H"}));
    EXPECT_EQ(r.out.find("Header="), std::string::npos) << r.out;
    EXPECT_FALSE(json(runCli(args({"servers", "show", "H", "--json"})).out).contains("headers"));
}

TEST(ServersCli, RefusesBadValuesAndThePseudoServer)
{
    TestEnvironment env;
    EXPECT_EQ(runCli(args({"servers", "set", "-- User defined --"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "set", "S", "--timeout", "0"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "set", "S", "--timeout", "601"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "set", "S", "--format", "3"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "set", "S", "--separators", "9999,99"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "set", "S", "--date", "1,2"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "set", "S", "--bogus"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "delete", "S"})).exitCode, 2) << "none of the refused sets stored S";
    const auto tooLong = runCli(args({"servers", "set", "S", "--url", std::string(260, 'u')}));
    EXPECT_NE(tooLong.exitCode, 0);
    EXPECT_EQ(runCli(args({"servers", "show", "S"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"nonsense"})).exitCode, 2);
}

TEST(ExtractCli, StandardSearchOnUtf8AndWindows1252Pages)
{
    TestEnvironment env;
    const std::string utf8 = env.writeFile("utf8.html", "<td>Rücknahmepreis</td><td>1.234,56 EUR</td>");
    const std::string cp1252 = env.writeFile("cp1252.html",
                                             "<td>R\xFC"
                                             "cknahmepreis</td><td>1.234,56 EUR</td>");
    for (const std::string& page : {utf8, cp1252}) {
        const auto r =
            runCli(args({"extract", page, "--start", "RÜCKNAHMEPREIS", "--separators", "9.999,99", "--format", "2"}));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out.rfind("Value: 1234.5600\nDate/Time: ", 0), 0u) << r.out;
    }
}

TEST(ExtractCli, UsesAStoredServerAndTheItemVariables)
{
    TestEnvironment env;
    ASSERT_EQ(runCli(args({"servers", "set", "Board", "--start", "[&symbol]:", "--separators", " 9999.99"})).exitCode,
              0);
    const std::string page = env.writeFile("board.txt", "AAA: 1.5 BBB: 2.75 CCC: 3");
    auto r = runCli(args({"extract", page, "--server", "Board", "--symbol", "BBB"}));
    EXPECT_EQ(r.out.rfind("Value: 2.7500\n", 0), 0u) << r.out;
    r = runCli(args({"extract", page, "--server", "Board", "--symbol", "BBB", "--numbers", "1"}));
    EXPECT_EQ(r.exitCode, 1) << "the option overrides the stored field; 3 ends the page";
    EXPECT_EQ(r.out, "Error: Quotation not found!! (3)\n");
    r = runCli(args({"extract", page, "--server", "Missing"}));
    EXPECT_EQ(r.exitCode, 2);
}

TEST(ExtractCli, FailuresPrintTheStatusTextAndJson)
{
    TestEnvironment env;
    const std::string page = env.writeFile("p.txt", "Price: n/a\r\n\tmore text here");
    auto r = runCli(args({"extract", page, "--start", "Kurs"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Error: Text not found!\n");
    r = runCli(args({"extract", page, "--start", "Price:", "--numbers", "2"}));
    EXPECT_EQ(r.out, "Error: Quotation not found!! (EOF)\n");
    const std::string nearEnd = env.writeFile("e.txt", "Price:\r\n\t5\r");
    r = runCli(args({"extract", nearEnd, "--start", "Price:"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Error: Quotation not found!! (5 )\n") << "status texts are printed on one line";
    r = runCli(args({"extract", nearEnd, "--start", "Price:", "--json"}));
    const QJsonObject object = json(r.out);
    EXPECT_EQ(object["status"].toInt(), 1);
    EXPECT_EQ(object["excerpt"].toString(), "5\r") << "JSON keeps the excerpt as it is";
    EXPECT_EQ(runCli(args({"extract", env.path("absent.html")})).exitCode, 3);
    EXPECT_EQ(runCli(args({"extract"})).exitCode, 2);
}

TEST(ExtractCli, ValueFollowsTheLocale)
{
    TestEnvironment env;
    const std::string page = env.writeFile("p.txt", "Kurs 12,5 EUR");
    const auto r = runCli(args({"extract", page, "--start", "Kurs"}), {"LC_ALL=de_DE.UTF-8"});
    ASSERT_EQ(r.exitCode, 0);
    if (r.out.rfind("Value: 12.5000\n", 0) == 0)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(r.out.rfind("Value: 12,5000\n", 0), 0u) << r.out;
}

TEST(ServersCli, NamesARegistryKeyCannotHoldAreRefusedButStoredOnesStayManageable)
{
    TestEnvironment env;
    for (const char* name : {"Line\nbreak", "Tab\there", "Back\\slash", "Del\x7F"}) {
        const CliResult r = runCli(args({"servers", "set", name, "--url", "http://x/"}));
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(r.err.rfind("tickora-cli: A server name must not contain a line break, another control character "
                              "or a backslash.\n",
                              0),
                  0u)
            << r.err;
    }
    // A name stored by an earlier version.
    const std::string stored = "Old\nbank\\x";
    {
        auto settings = SettingsStore::open();
        settings->setValue("Server/" + SettingsStore::escapeKey(stored) + "/URL", "http://old/");
    }
    CliResult r = runCli(args({"servers", "list"}));
    EXPECT_NE(r.out.find("Old\\x0Abank\\\\x\n"), std::string::npos) << r.out;
    EXPECT_EQ(runCli(args({"servers", "show", stored})).exitCode, 0);
    EXPECT_EQ(runCli(args({"servers", "show", stored, "--url", "http://y/"})).exitCode, 2);
    EXPECT_EQ(runCli(args({"servers", "delete", stored, "--start", "Kurs"})).exitCode, 2);
    r = runCli(args({"servers", "export", env.path("servers.reg")}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Old\\x0Abank\\\\x"), std::string::npos) << r.err;
    EXPECT_EQ(readFileBytes(env.path("servers.reg")).find("Old"), std::string::npos);
    EXPECT_EQ(runCli(args({"servers", "delete", stored})).exitCode, 0);
    EXPECT_EQ(runCli(args({"servers", "export", env.path("servers.reg")})).exitCode, 0);
}

TEST(ServersCli, RulesThatCanNeverWorkAreRefusedWhenStored)
{
    TestEnvironment env;
    CliResult r = runCli(args({"servers", "set", "Bad", "--regex", "([0-9]+"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("tickora-cli: RegExp compilation failed at pos. 7: missing closing parenthesis\n", 0), 0u)
        << r.err;
    r = runCli(args({"servers", "set", "Bad", "--url", "ftp://quotes.example/[&symbol]"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("tickora-cli: Error: Wrong URL!\n", 0), 0u) << r.err;
    EXPECT_EQ(runCli(args({"servers", "show", "Bad"})).exitCode, 2) << "nothing was stored";
    EXPECT_EQ(runCli(args({"servers", "set", "Good", "--url", "FILE:///tmp/q.html", "--regex", "([0-9]+)"})).exitCode,
              0);
}

TEST(ExtractCli, JsonRulesOnRealAnswersAndTheirFailures)
{
    TestEnvironment env;
    TestEnvironment::setTimeZone("UTC");
    const std::string realData = TICKORA_REALDATA_DIR;
    auto r = runCli(args({"extract", realData + "/bankofcanada_fx_recent.json", "--separators", " 9999.99",
                          "--json-path", "$.observations[?(@.d=='2021-01-06')].FXCADUSD.v", "--json-date",
                          "$.observations[?(@.d=='2021-01-06')].d", "--reference", "2023-06-15 14:37"}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Value: 0.7883\nDate/Time: 2021-01-06 14:37\n");
    r = runCli(args({"extract", realData + "/alphavantage_daily_ibm.json", "--separators", " 9999.99", "--json-path",
                     "$['Time Series (Daily)']['[&symbol]']['4. close']", "--symbol", "2021-01-08"}));
    EXPECT_EQ(r.out.rfind("Value: 128.5300\n", 0), 0u) << r.out << r.err;

    const std::pair<std::string, std::string> failures[] = {
        {"$.observations[9].d", "Error: JSON path not found! ($.observations)\n"},
        {"$.terms.url", "Error: Invalid value!\n"},
    };
    for (const auto& [path, out] : failures) {
        r = runCli(args({"extract", realData + "/bankofcanada_fx_recent.json", "--json-path", path}));
        EXPECT_EQ(r.exitCode, 1) << path;
        EXPECT_EQ(r.out, out);
    }
    r = runCli(args({"extract", realData + "/de_fund_history_table.html", "--json-path", "$.a", "--json"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(json(r.out)["status"].toInt(), 7);
    EXPECT_EQ(json(r.out)["excerpt"].toString(), "byte 1");
    r = runCli(args({"extract", realData + "/de_fund_history_table.html", "--json-path", "$.[&symbol]", "--symbol",
                     std::string(260, 'x')}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "The JSON paths are longer than 259 characters.\n");
}

TEST(ServersCli, JsonPathsAreStoredShownAndRefused)
{
    TestEnvironment env;
    auto r = runCli(
        args({"servers", "set", "J", "--url", "http://127.0.0.1/q", "--json-path", "$['a|b']", "--json-time", "$.t"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = runCli(args({"servers", "set", "J", "--json-date", "$.d"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = runCli(args({"servers", "show", "J"}));
    EXPECT_NE(r.out.find("\nFiltering=1\nRegExp=(?!)json:$['a\\|b']|date:$.d|time:$.t\n"), std::string::npos) << r.out;
    ASSERT_EQ(runCli(args({"servers", "set", "J", "--json-time", ""})).exitCode, 0);
    r = runCli(args({"servers", "show", "J", "--json"}));
    EXPECT_EQ(json(r.out)["RegExp"].toString(), "(?!)json:$['a\\|b']|date:$.d");

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--json-path", "$.a\tb"}, "A JSON path must not hold control characters."},
        {{"--json-path", "$." + std::string(250, 'a')}, "The JSON paths are longer than 259 characters."},
        {{"--json-path", "$.a", "--regex", "x"}, "Contradicting options given."},
        {{"--json-path", "$[x]"},
         "Invalid JSON path at character 3: expected an index, \"*\", a quoted key or a "
         "filter."},
        {{"--json-path", ""}, "The JSON rule needs a value path."},
    };
    for (const auto& [options, message] : refused) {
        QStringList line = args({"servers", "set", "J"});
        for (const std::string& option : options)
            line << QString::fromStdString(option);
        r = runCli(line);
        EXPECT_EQ(r.exitCode, 2) << message;
        EXPECT_EQ(r.err.rfind("tickora-cli: " + message + "\n", 0), 0u) << r.err;
    }
    r = runCli(args({"servers", "set", "Plain", "--json-date", "$.d"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("tickora-cli: --json-date and --json-time need --json-path.\n", 0), 0u) << r.err;

    const std::string file = env.path("p.tkr");
    ASSERT_EQ(runCli(args({"new", file})).exitCode, 0);
    r = runCli(args({"add", file, "--name", "IBM", "--json-path", "$.p", "--json-date", "$.d"}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = runCli(args({"dump", file}));
    EXPECT_NE(r.out.find("(?!)json:$.p|date:$.d"), std::string::npos) << r.out;
}
