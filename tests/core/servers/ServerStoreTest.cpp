// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerStore.h"
#include "TestEnvironment.h"
#include "core/servers/SeparatorFormat.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

ServerConfig sampleConfig()
{
    ServerConfig config;
    config.URL = "http://quotes.example/q?s=[&symbol]&d=[&d]";
    config.Timeout = 42;
    config.TAUSEND = ".";
    config.DECIMAL = ",";
    config.Format = 2;
    config.Text_before_Value = "Rücknahmepreis";
    config.Nr_HTML_before_Value = 3;
    config.Numbers_before_Value = 7;
    config.NoCaseSensitiv = 0;
    config.Filtering = 1;
    config.RegExp = "([0-9]+),([0-9]{2}) \"\\d\"";
    config.RegExpQuotationIndex = 9;
    config.bRegExpExtractDate = 1;
    config.RegExpDayIndex = 10;
    config.RegExpMonthIndex = 11;
    config.RegExpYearIndex = 12;
    config.bRegExpExtractTime = 1;
    config.RegExpHourIndex = 13;
    config.RegExpMinuteIndex = 14;
    return config;
}

} // namespace

TEST(ServerStore, MissingServerReadsDefaultsAndKeepsSeparators)
{
    TestEnvironment env;
    ServerConfig config = sampleConfig();
    config.TAUSEND = "'";
    config.DECIMAL = ";";
    ServerStore::readServerConfig("nowhere", config);
    EXPECT_EQ(config.URL, "");
    EXPECT_EQ(config.Timeout, 60);
    EXPECT_EQ(config.Format, 0);
    EXPECT_EQ(config.Text_before_Value, "");
    EXPECT_EQ(config.NoCaseSensitiv, 1);
    EXPECT_EQ(config.Filtering, 0);
    EXPECT_EQ(config.RegExpQuotationIndex, 1);
    EXPECT_EQ(config.bRegExpExtractDate, 0);
    EXPECT_EQ(config.RegExpDayIndex, 2);
    EXPECT_EQ(config.RegExpMonthIndex, 3);
    EXPECT_EQ(config.RegExpYearIndex, 4);
    EXPECT_EQ(config.RegExpHourIndex, 5);
    EXPECT_EQ(config.RegExpMinuteIndex, 6);
    EXPECT_EQ(config.TAUSEND, "'");
    EXPECT_EQ(config.DECIMAL, ";");
}

TEST(ServerStore, WriteThenReadReturnsEveryField)
{
    TestEnvironment env;
    const ServerConfig written = sampleConfig();
    ASSERT_TRUE(ServerStore::writeServerConfig("Fund house", written));
    ServerConfig read;
    ServerStore::readServerConfig("Fund house", read);
    ServerConfig expected = written;
    expected.name = read.name;
    EXPECT_EQ(read, expected);

    ServerConfig empties;
    empties.DECIMAL = "";
    ASSERT_TRUE(ServerStore::writeServerConfig("Empty", empties));
    ServerConfig readEmpty = sampleConfig();
    ServerStore::readServerConfig("Empty", readEmpty);
    EXPECT_EQ(readEmpty.URL, "");
    EXPECT_EQ(readEmpty.TAUSEND, "");
    EXPECT_EQ(readEmpty.DECIMAL, "") << "a stored empty DECIMAL is not the missing-value default";
    EXPECT_EQ(readEmpty.RegExp, "");
}

TEST(ServerStore, MissingSeparatorValuesReadAsEmptyAndComma)
{
    TestEnvironment env;
    ASSERT_TRUE(ServerStore::writeServerConfig("Partial", sampleConfig()));
    {
        QSettings settings(QString::fromStdString(env.settingsPath()), QSettings::IniFormat);
        settings.remove("Server/Partial/DECIMAL");
        settings.remove("Server/Partial/TAUSEND");
        settings.remove("Server/Partial/Timeout");
    }
    ServerConfig config;
    config.TAUSEND = "x";
    config.DECIMAL = "y";
    ServerStore::readServerConfig("Partial", config);
    EXPECT_EQ(config.TAUSEND, "");
    EXPECT_EQ(config.DECIMAL, ",");
    EXPECT_EQ(config.Timeout, 60) << "a missing number keeps its default";
    EXPECT_EQ(config.Format, 2);
}

TEST(ServerStore, AnyNameRoundTripsAndListsSortedIgnoringCase)
{
    TestEnvironment env;
    const std::vector<std::string> names = {"b/slash", "A pipe|", "ämter ü", "a", "B", "%25 percent", "  blanks  "};
    for (const std::string& name : names)
        ASSERT_TRUE(ServerStore::writeServerConfig(name, sampleConfig())) << name;
    const std::vector<std::string> expected = {"  blanks  ", "%25 percent", "a", "A pipe|", "B", "b/slash", "ämter ü"};
    EXPECT_EQ(ServerStore::listServerNames(), expected);
    for (const std::string& name : names) {
        ServerConfig config;
        ServerStore::readServerConfig(name, config);
        EXPECT_EQ(config.RegExpMinuteIndex, 14) << name;
    }
    ServerStore::deleteServerConfig("b/slash");
    EXPECT_FALSE(ServerStore::serverExists("b/slash"));
    EXPECT_TRUE(ServerStore::serverExists("B"));
    EXPECT_EQ(ServerStore::listServerNames().size(), names.size() - 1);
}

TEST(ServerStore, ServerNameCheckRefusesEmptyControlCharactersAndBackslash)
{
    TestEnvironment env;
    const std::string controls =
        "A server name must not contain a line break, another control character or a backslash.";
    const std::pair<std::string, std::string> cases[] = {
        {"", "'' is not a valid server name."},
        {"Line\nbreak", controls},
        {"Return\r", controls},
        {"\tTab", controls},
        {std::string("Nul\0x", 5), controls},
        {"Escape\x1b", controls},
        {"Del\x7f", controls},
        {"Back\\slash", controls},
        {"b/slash", ""},
        {"ämter ü", ""},
        {"  blanks  ", ""},
        {"%25 | pipe", ""},
        // The pseudo-server passes the name check; storing it is refused elsewhere.
        {ServerConfig::kUserDefinedName, ""},
    };
    for (const auto& [name, message] : cases) {
        const Status checked = ServerStore::checkServerName(name);
        EXPECT_EQ(checked.message(), message) << name;
        EXPECT_EQ(checked.isOk(), message.empty()) << name;
        if (!message.empty()) {
            EXPECT_EQ(ServerStore::writeServerConfig(name, sampleConfig()).message(), message) << name;
            EXPECT_FALSE(ServerStore::serverExists(name)) << name;
        }
    }
}

TEST(ServerStore, OverlongTextsAndThePseudoServerAreRefused)
{
    TestEnvironment env;
    ServerConfig config = sampleConfig();
    config.URL = std::string(259, 'u');
    EXPECT_TRUE(ServerStore::writeServerConfig("fits", config));
    config.RegExp = std::string(129, 'x') + std::string(130 * 1, 'y') + "z";
    const Status refused = ServerStore::writeServerConfig("too long", config);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.message().find("RegExp"), std::string::npos);
    EXPECT_FALSE(ServerStore::serverExists("too long"));

    ServerConfig umlauts = sampleConfig();
    umlauts.Text_before_Value = std::string();
    for (int i = 0; i < 259; ++i)
        umlauts.Text_before_Value += "ü";
    EXPECT_TRUE(ServerStore::writeServerConfig("characters, not bytes", umlauts));

    EXPECT_FALSE(ServerStore::writeServerConfig("-- User defined --", sampleConfig()));
    EXPECT_FALSE(ServerStore::serverExists("-- User defined --"));
}

TEST(ServerStore, PresetVersionDecidesWhetherPresetsAreCurrent)
{
    TestEnvironment env;
    EXPECT_FALSE(ServerStore::presetsAreCurrent());
    ServerStore::storePresetVersion(19);
    EXPECT_FALSE(ServerStore::presetsAreCurrent());
    ServerStore::storePresetVersion(20);
    EXPECT_TRUE(ServerStore::presetsAreCurrent());
    ServerStore::storePresetVersion(25);
    EXPECT_TRUE(ServerStore::presetsAreCurrent());
    QSettings settings(QString::fromStdString(env.settingsPath()), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Server Version/Version number").toInt(), 25);
}

TEST(SeparatorFormat, ListPositionsAndStoredPairs)
{
    EXPECT_EQ(SeparatorFormat::indexOf(".", ","), 0);
    EXPECT_EQ(SeparatorFormat::indexOf("", ","), 1);
    EXPECT_EQ(SeparatorFormat::indexOf(",", "."), 2);
    EXPECT_EQ(SeparatorFormat::indexOf("", "."), 3);
    EXPECT_EQ(SeparatorFormat::indexOf(".", "."), -1);
    EXPECT_EQ(SeparatorFormat::indexOf(" ", ","), -1);

    std::string thousands, decimal;
    SeparatorFormat::pairFor(-1, thousands, decimal);
    EXPECT_EQ(thousands, "");
    EXPECT_EQ(decimal, ",");
    SeparatorFormat::pairFor(2, thousands, decimal);
    EXPECT_EQ(thousands, ",");
    EXPECT_EQ(decimal, ".");
    EXPECT_EQ(SeparatorFormat::indexOfSample(" 9999.99"), 3);
    EXPECT_EQ(SeparatorFormat::indexOfSample("9999.99"), -1);
}

TEST(ServerStore, RequestHeadersRoundTripAndBadLinesAreRefused)
{
    TestEnvironment env;
    ServerConfig config = sampleConfig();
    config.Headers = {"X-Symbol: [&symbol]", "Referer: http://quotes.example/", "Accept-Language: de"};
    ASSERT_TRUE(ServerStore::writeServerConfig("H", config));
    ServerConfig read;
    ServerStore::readServerConfig("H", read);
    EXPECT_EQ(read.Headers, config.Headers);
    {
        QSettings settings(QString::fromStdString(env.settingsPath()), QSettings::IniFormat);
        EXPECT_EQ(settings.value("Server/H/Headers").toString(),
                  QStringLiteral("X-Symbol: [&symbol]\nReferer: http://quotes.example/\nAccept-Language: de"));
    }

    for (const std::string bad : {"X-A: 1\r\nX-B: 2", "X-A: tab\there", "no colon", ": no name", "Two words: x"}) {
        ServerConfig refused = config;
        refused.Headers = {"X-Ok: 1", bad};
        EXPECT_FALSE(ServerStore::writeServerConfig("H", refused)) << bad;
    }
    ServerStore::readServerConfig("H", read);
    EXPECT_EQ(read.Headers, config.Headers) << "a refused write changes nothing";

    config.Headers.clear();
    ASSERT_TRUE(ServerStore::writeServerConfig("H", config));
    QSettings settings(QString::fromStdString(env.settingsPath()), QSettings::IniFormat);
    EXPECT_FALSE(settings.contains("Server/H/Headers"));
}
