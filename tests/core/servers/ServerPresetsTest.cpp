// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerPresets.h"
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/servers/ServerStore.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kPresetNames = {"AT-Reiffeisen",
                                               "AT-Wiener Boerse",
                                               "AU-Yahoo",
                                               "BR-Yahoo",
                                               "CH-SWX",
                                               "DE-DWS",
                                               "DE-DWS (Multiple)",
                                               "DE-DB Devisen",
                                               "DE-Yahoo Finanzen",
                                               "DE-Deka",
                                               "DE-Union Investment",
                                               "FR-Yahoo Finance",
                                               "ES-Yahoo Finanzas",
                                               "IT-Yahoo Finanza Milano",
                                               "PT-BVL",
                                               "UK-Yahoo Finance",
                                               "US-Yahoo",
                                               "Yahoo International Indices"};

ServerConfig stored(const std::string& name)
{
    ServerConfig config;
    ServerStore::readServerConfig(name, config);
    return config;
}

void editUsYahoo()
{
    ServerConfig edited = stored("US-Yahoo");
    edited.Text_before_Value = "My own start";
    edited.Timeout = 7;
    ASSERT_TRUE(ServerStore::writeServerConfig("US-Yahoo", edited));
}

ServerConfig userServer()
{
    ServerConfig config = ServerConfig::newServerDefaults();
    config.URL = "http://quotes.example/[&symbol]";
    return config;
}

} // namespace

TEST(ServerPresets, EmptyStoreGetsEighteenServersAndVersion20)
{
    TestEnvironment env;
    EXPECT_TRUE(ServerPresets::installServerPresets());
    std::vector<std::string> expected = kPresetNames;
    std::vector<std::string> names = ServerStore::listServerNames();
    std::sort(expected.begin(), expected.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected);
    EXPECT_EQ(ServerStore::storedPresetVersion(), 20);
    for (const ServerConfig& preset : ServerPresets::presets()) {
        ServerConfig config = stored(preset.name);
        config.name = preset.name;
        EXPECT_EQ(config, preset) << preset.name;
    }
}

TEST(ServerPresets, TableValues)
{
    TestEnvironment env;
    ASSERT_TRUE(ServerPresets::installServerPresets());

    const ServerConfig us = stored("US-Yahoo");
    EXPECT_EQ(us.TAUSEND, ",");
    EXPECT_EQ(us.DECIMAL, ".");
    EXPECT_EQ(us.Text_before_Value, "Last Trade:");
    EXPECT_EQ(us.Timeout, 180);
    EXPECT_EQ(us.Format, 1);
    EXPECT_EQ(us.Nr_HTML_before_Value, 4);
    EXPECT_EQ(us.NoCaseSensitiv, 1);
    EXPECT_EQ(us.Filtering, 0);
    EXPECT_EQ(us.RegExp, "");
    EXPECT_EQ(stored("Yahoo International Indices").URL, us.URL);
    EXPECT_EQ(stored("Yahoo International Indices").Text_before_Value, "Index Value:");

    // The Latin-1 letters kept as the same characters: U+00DA and U+00E3.
    EXPECT_EQ(stored("BR-Yahoo").Text_before_Value,
              "\xC3\x9A"
              "lt transa&ccedil;\xC3\xA3"
              "o");
    EXPECT_EQ(stored("ES-Yahoo Finanzas").Text_before_Value, "&Uacute;ltima transacci&oacute");
    EXPECT_EQ(stored("IT-Yahoo Finanza Milano").TAUSEND, " ");
    EXPECT_EQ(stored("DE-Deka").Numbers_before_Value, 1);
    EXPECT_EQ(stored("DE-DB Devisen").Nr_HTML_before_Value, 5);
    EXPECT_EQ(stored("CH-SWX").Timeout, 240);
    EXPECT_EQ(stored("DE-Yahoo Finanzen").Timeout, 90);

    const ServerConfig pt = stored("PT-BVL");
    EXPECT_EQ(pt.URL, "");
    EXPECT_EQ(pt.Text_before_Value, "Fecho");
    EXPECT_EQ(pt.Format, 2);

    const ServerConfig dws = stored("DE-DWS (Multiple)");
    EXPECT_EQ(dws.Text_before_Value, "[&symbol]\",\"");
    EXPECT_EQ(dws.Filtering, 1);
    EXPECT_EQ(dws.bRegExpExtractDate, 1);
    EXPECT_EQ(dws.bRegExpExtractTime, 0);
    EXPECT_EQ(dws.RegExp.size(), 69u);
    EXPECT_EQ(dws.RegExp, "[&symbol][\"',\\t\\r\\n]*([0-9,.]+)[\"',\\t\\r\\n]*([0-9]+).([0-9]+).([0-9]+)");
    EXPECT_EQ(
        std::vector<int>({dws.RegExpQuotationIndex, dws.RegExpDayIndex, dws.RegExpMonthIndex, dws.RegExpYearIndex}),
        std::vector<int>({1, 2, 3, 4}));
}

TEST(ServerPresets, UrlsUsePlainHttpAndTheTablesPaths)
{
    const std::map<std::string, std::string> paths = {
        {"AT-Reiffeisen", "/fonds/kurzInfo.asp?sessionID=&Wpknr=[&symbol]&back=nein"},
        {"DE-DWS (Multiple)", "/aktuell/dws[&dw].asc"},
        {"DE-DB Devisen", "/pbc/is-asp/oic/mace0837.html?eCrmLink=int;from-%FROM%-Q-navigation-PBCde;to-%TO%&"},
        {"US-Yahoo", "/q?s=[&symbol]&d=t"},
    };
    for (const ServerConfig& preset : ServerPresets::presets()) {
        if (preset.name == "PT-BVL")
            continue;
        const std::string& url = preset.URL;
        ASSERT_EQ(url.rfind("http://", 0), 0u) << preset.name;
        const size_t pathStart = url.find('/', 7);
        ASSERT_NE(pathStart, std::string::npos) << preset.name;
        EXPECT_GT(pathStart, 7u) << preset.name << " has no host";
        EXPECT_FALSE(preset.overlongText()) << preset.name;
        const auto known = paths.find(preset.name);
        if (known != paths.end()) {
            EXPECT_EQ(url.substr(pathStart), known->second);
        }
    }
}

TEST(ServerPresets, CurrentVersionChangesNothing)
{
    TestEnvironment env;
    ASSERT_TRUE(ServerPresets::installServerPresets());
    editUsYahoo();
    ServerStore::deleteServerConfig("CH-SWX");
    const ServerConfig edited = stored("US-Yahoo");

    EXPECT_TRUE(ServerPresets::installServerPresets());
    EXPECT_EQ(stored("US-Yahoo"), edited);
    EXPECT_FALSE(ServerStore::serverExists("CH-SWX"));
    EXPECT_EQ(ServerStore::storedPresetVersion(), 20);
}

TEST(ServerPresets, OlderVersionRestoresPresetsAndKeepsUserServers)
{
    TestEnvironment env;
    ASSERT_TRUE(ServerPresets::installServerPresets());
    editUsYahoo();
    ASSERT_TRUE(ServerStore::writeServerConfig("My Server", userServer()));
    ServerStore::storePresetVersion(19);

    EXPECT_TRUE(ServerPresets::installServerPresets());
    ServerConfig restored = stored("US-Yahoo");
    restored.name = "US-Yahoo";
    const auto& presets = ServerPresets::presets();
    const auto preset =
        std::find_if(presets.begin(), presets.end(), [](const ServerConfig& c) { return c.name == "US-Yahoo"; });
    ASSERT_NE(preset, presets.end());
    EXPECT_EQ(restored, *preset);
    EXPECT_EQ(stored("My Server"), userServer());
    EXPECT_EQ(ServerStore::listServerNames().size(), 19u);
    EXPECT_EQ(ServerStore::storedPresetVersion(), 20);
}

TEST(ServerPresets, NewerVersionWritesNothing)
{
    TestEnvironment env;
    ServerStore::storePresetVersion(25);
    EXPECT_TRUE(ServerPresets::installServerPresets());
    EXPECT_TRUE(ServerStore::listServerNames().empty());
    EXPECT_EQ(ServerStore::storedPresetVersion(), 25);
}

TEST(ServerPresets, UnwritableStoreKeepsTheOldVersionSoTheNextStartRetries)
{
    TestEnvironment env;
    // A plain file where the settings folder should be: nothing can be stored below it.
    const std::string unwritable = env.writeFile("blocker", "x") + "/settings.ini";
    qputenv("TICKORA_SETTINGS", QByteArray(unwritable.c_str()));
    EXPECT_FALSE(ServerPresets::installServerPresets());
    qputenv("TICKORA_SETTINGS", QByteArray(env.settingsPath().c_str()));
    EXPECT_EQ(ServerStore::storedPresetVersion(), 0);
}

TEST(ServerPresetsCli, EveryCommandInstallsThePresetsFirst)
{
    TestEnvironment env;
    CliResult result = runCli({"servers", "list"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string expected;
    for (const std::string& name : ServerStore::listServerNames())
        expected += name + "\n";
    EXPECT_EQ(ServerStore::listServerNames().size(), 18u);
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(ServerStore::storedPresetVersion(), 20);

    ServerStore::deleteServerConfig("US-Yahoo");
    result = runCli({"servers", "install-presets"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(ServerStore::serverExists("US-Yahoo"));

    ServerStore::storePresetVersion(3);
    result = runCli({"servers", "install-presets"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(ServerStore::serverExists("US-Yahoo"));
    EXPECT_EQ(ServerStore::storedPresetVersion(), 20);
}
