// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerConfigExport.h"
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/servers/ServerPresets.h"
#include "core/servers/ServerStore.h"

#include <gtest/gtest.h>

namespace {

const std::string kHead = "REGEDIT4\r\n"
                          "\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Tickorasoft\\Tickora\\Server\\]\r\n"
                          "\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Tickorasoft\\Tickora\\Server Version]\r\n";

std::string exportToFile(const TestEnvironment& env)
{
    const std::string path = env.path("Server.reg");
    const Status exported = ServerConfigExport::exportServerConfigs(path);
    EXPECT_TRUE(exported) << exported.message();
    return readFileBytes(path);
}

// The block of one server: from its key line to the empty line after it.
std::string blockOf(const std::string& file, const std::string& name)
{
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Tickorasoft\\Tickora\\Server\\" + name + "]\r\n";
    const size_t start = file.find(key);
    if (start == std::string::npos)
        return {};
    const size_t end = file.find("\r\n\r\n", start);
    return file.substr(start, end + 4 - start);
}

} // namespace

TEST(ServerConfigExport, NoServersGivesOnlyTheHeadSections)
{
    TestEnvironment env;
    EXPECT_EQ(exportToFile(env), kHead + "\"Version number\"=dword:00000000\r\n\r\n");
    ServerStore::storePresetVersion(25);
    EXPECT_EQ(exportToFile(env), kHead + "\"Version number\"=dword:00000019\r\n\r\n");
}

TEST(ServerConfigExport, PresetBlocksByteForByte)
{
    TestEnvironment env;
    ASSERT_TRUE(ServerPresets::installServerPresets());
    const std::string file = exportToFile(env);
    EXPECT_EQ(file.rfind(kHead + "\"Version number\"=dword:00000014\r\n\r\n", 0), 0u);

    const std::string usYahoo = blockOf(file, "US-Yahoo");
    const std::string expectedUs = "[HKEY_CURRENT_USER\\Software\\Tickorasoft\\Tickora\\Server\\US-Yahoo]\r\n"
                                   "\"URL\"=\"" +
        ServerPresets::presets()[16].URL +
        "\"\r\n"
        "\"TAUSEND\"=\",\"\r\n"
        "\"DECIMAL\"=\".\"\r\n"
        "\"Text_before_Value\"=\"Last Trade:\"\r\n"
        "\"Timeout\"=dword:000000b4\r\n"
        "\"Format\"=dword:00000001\r\n"
        "\"Nr_HTML_before_Value\"=dword:00000004\r\n"
        "\"Numbers_before_Value\"=dword:00000000\r\n"
        "\"NoCaseSensitiv\"=dword:00000001\r\n"
        "\"Filtering\"=dword:00000000\r\n"
        "\"RegExp\"=\"\"\r\n"
        "\"RegExpQuotationIndex\"=dword:00000001\r\n"
        "\"bRegExpExtractDate\"=dword:00000000\r\n"
        "\"RegExpDayIndex\"=dword:00000002\r\n"
        "\"RegExpMonthIndex\"=dword:00000003\r\n"
        "\"RegExpYearIndex\"=dword:00000004\r\n"
        "\"bRegExpExtractTime\"=dword:00000000\r\n"
        "\"RegExpHourIndex\"=dword:00000005\r\n"
        "\"RegExpMinuteIndex\"=dword:00000006\r\n"
        "\r\n";
    ASSERT_EQ(ServerPresets::presets()[16].name, "US-Yahoo");
    EXPECT_EQ(usYahoo, expectedUs);

    const std::string dws = blockOf(file, "DE-DWS (Multiple)");
    EXPECT_NE(dws.find("\"Text_before_Value\"=\"[&symbol]\\\",\\\"\"\r\n"), std::string::npos) << dws;
    EXPECT_NE(dws.find("\"RegExp\"=\"[&symbol][\\\"',\\\\t\\\\r\\\\n]*([0-9,.]+)[\\\"',\\\\t\\\\r\\\\n]*"
                       "([0-9]+).([0-9]+).([0-9]+)\"\r\n"),
              std::string::npos)
        << dws;
    EXPECT_NE(dws.find("\"Filtering\"=dword:00000001\r\n"), std::string::npos);
    EXPECT_NE(dws.find("\"bRegExpExtractDate\"=dword:00000001\r\n"), std::string::npos);

    // Single-byte file: the Latin-1 letters of the Brazilian start text are one byte each.
    EXPECT_NE(blockOf(file, "BR-Yahoo").find("\"Text_before_Value\"=\"\xDAlt transa&ccedil;\xE3o\"\r\n"),
              std::string::npos);
}

TEST(ServerConfigExport, ServersInTheStoresOrderAndNegativeNumbersAsTwosComplement)
{
    TestEnvironment env;
    ServerStore::storePresetVersion(20);
    ServerConfig config;
    config.Timeout = -1;
    config.DECIMAL = ",";
    config.URL = "C:\\quotes\\\"today\".html";
    for (const char* name : {"beta", "Alpha", "gamma"})
        ASSERT_TRUE(ServerStore::writeServerConfig(name, config));
    const std::string file = exportToFile(env);
    size_t previous = 0;
    for (const std::string& name : ServerStore::listServerNames()) {
        const size_t at = file.find("\\Server\\" + name + "]");
        ASSERT_NE(at, std::string::npos);
        EXPECT_GT(at, previous) << name;
        previous = at;
    }
    const std::string alpha = blockOf(file, "Alpha");
    EXPECT_NE(alpha.find("\"Timeout\"=dword:ffffffff\r\n"), std::string::npos);
    EXPECT_NE(alpha.find("\"URL\"=\"C:\\\\quotes\\\\\\\"today\\\".html\"\r\n"), std::string::npos) << alpha;
    EXPECT_EQ(file,
              kHead + "\"Version number\"=dword:00000014\r\n\r\n" + alpha + blockOf(file, "beta") +
                  blockOf(file, "gamma"));
}

TEST(ServerConfigExport, TextOutsideTheSingleByteCodePageMakesTheWholeFileUtf8)
{
    TestEnvironment env;
    ASSERT_TRUE(ServerPresets::installServerPresets());
    ServerConfig config = ServerConfig::newServerDefaults();
    config.Text_before_Value = "終値 €";
    ASSERT_TRUE(ServerStore::writeServerConfig("Tokyo", config));
    const std::string file = exportToFile(env);
    EXPECT_NE(blockOf(file, "Tokyo").find("\"Text_before_Value\"=\"終値 €\"\r\n"), std::string::npos);
    EXPECT_NE(blockOf(file, "BR-Yahoo").find("\"Text_before_Value\"=\"Últ transa&ccedil;ão\"\r\n"), std::string::npos);

    // A euro sign alone still fits the single-byte code page (0x80).
    config.Text_before_Value = "€";
    ASSERT_TRUE(ServerStore::writeServerConfig("Tokyo", config));
    EXPECT_NE(blockOf(exportToFile(env), "Tokyo").find("\"Text_before_Value\"=\"\x80\"\r\n"), std::string::npos);
}

TEST(ServerConfigExport, HeadersAreATwentiethValueOnlyWhenPresent)
{
    TestEnvironment env;
    // The stored copy was written before servers had request headers.
    const std::string before = readFileBytes(testDataPath("servers/export-without-headers.reg"));
    const auto setServer = [](std::vector<QString> extra) {
        std::vector<QString> args = {"servers", "set",  "Quote \"Test\"", "--url", "http://127.0.0.1/q?s=[&symbol]\\x",
                                     "--start", "a\\b", "--timeout",      "33"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult result = runCli(QStringList(args.begin(), args.end()));
        EXPECT_EQ(result.exitCode, 0) << result.err;
    };
    ASSERT_TRUE(ServerPresets::installServerPresets());
    setServer({});
    EXPECT_EQ(exportToFile(env), before);

    setServer({"--header", "X-A: 1", "--header", "Referer: \u00e9"});
    const std::string block = blockOf(exportToFile(env), "Quote \"Test\"");
    EXPECT_NE(block.find("\"RegExpMinuteIndex\"=dword:00000006\r\n"
                         "\"Headers\"=hex(7):58,2d,41,3a,20,31,00,52,65,66,65,72,65,72,3a,20,e9,00,00\r\n\r\n"),
              std::string::npos)
        << block;

    setServer({"--clear-headers"});
    EXPECT_EQ(exportToFile(env), before);
}

TEST(ServerConfigExport, FallbackAndCrossCheckFollowTheHeadersOnlyWhenSet)
{
    TestEnvironment env;
    const std::string before = readFileBytes(testDataPath("servers/export-without-headers.reg"));
    const auto setServer = [](std::vector<QString> extra) {
        std::vector<QString> args = {"servers", "set",  "Quote \"Test\"", "--url", "http://127.0.0.1/q?s=[&symbol]\\x",
                                     "--start", "a\\b", "--timeout",      "33"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult result = runCli(QStringList(args.begin(), args.end()));
        EXPECT_EQ(result.exitCode, 0) << result.err;
    };
    ASSERT_TRUE(ServerPresets::installServerPresets());
    setServer({});
    const std::string other = ServerStore::listServerNames().front();
    setServer({"--header", "X-A: 1", "--fallback", QString::fromStdString(other), "--cross-check",
               QString::fromStdString(other), "--cross-check-percent", "2.5"});
    const std::string block = blockOf(exportToFile(env), "Quote \"Test\"");
    EXPECT_NE(block.find("\"RegExpMinuteIndex\"=dword:00000006\r\n\"Headers\"=hex(7):58,2d,41,3a,20,31,00,00\r\n"
                         "\"Fallback\"=\"" +
                         other + "\"\r\n\"CrossCheck\"=\"" + other +
                         "\"\r\n\"CrossCheckPercent\"=dword:000000fa\r\n\r\n"),
              std::string::npos)
        << block;

    setServer({"--clear-headers", "--clear-fallback", "--clear-cross-check"});
    EXPECT_EQ(exportToFile(env), before) << "without them the export stays byte for byte as before";
}

TEST(ServerConfigExport, JsonPathsAreExportedAsTheStoredRegExp)
{
    TestEnvironment env;
    const CliResult set = runCli({"servers", "set", "J", "--url", "http://127.0.0.1/q", "--json-path",
                                  "$['a|b\\\\c\"d']", "--json-date", "$.t[0]"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    ServerConfig stored;
    ServerStore::readServerConfig("J", stored);
    EXPECT_EQ(stored.RegExp, R"((?!)json:$['a\|b\\\\c"d']|date:$.t[0])");
    EXPECT_EQ(stored.Filtering, 1);
    const std::string block = blockOf(exportToFile(env), "J");
    EXPECT_NE(block.find(R"x("RegExp"="(?!)json:$['a\\|b\\\\\\\\c\"d']|date:$.t[0]")x"
                         "\r\n"),
              std::string::npos)
        << block;
}

TEST(ServerConfigExport, FileErrorNamesTheReason)
{
    TestEnvironment env;
    const Status exported = ServerConfigExport::exportServerConfigs(env.path("vanished/Server.reg"));
    EXPECT_FALSE(exported);
    EXPECT_EQ(exported.message(), "File could not be saved: No such file or directory");
}

TEST(ServerConfigExportCli, ExportsAndReportsFileErrors)
{
    TestEnvironment env;
    const std::string out = env.path("all servers.reg");
    CliResult result = runCli({"servers", "export", QString::fromStdString(out)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string file = readFileBytes(out);
    EXPECT_EQ(file.rfind(kHead + "\"Version number\"=dword:00000014\r\n\r\n", 0), 0u);
    EXPECT_FALSE(blockOf(file, "Yahoo International Indices").empty());

    result = runCli({"servers", "export", QString::fromStdString(env.path("vanished/x.reg"))});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "File could not be saved: No such file or directory\n");
    result = runCli({"servers", "export"});
    EXPECT_EQ(result.exitCode, 2);
}
