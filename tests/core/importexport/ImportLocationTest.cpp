// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/ImportLocation.h"
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

TEST(ImportLocation, DefaultTemplatesAndWhatTheListOffers)
{
    TestEnvironment env;
    TestEnvironment::setTimeZone("Europe/Berlin");
    const std::vector<std::string> defaults = ImportLocation::readTemplates();
    ASSERT_EQ(defaults.size(), 5u);
    EXPECT_NE(defaults[0].find("/table.csv?b=[&day_begin]&a=[&month_begin-1]&c=[&year_begin]&e=[&day_end]"
                               "&d=[&month_end-1]&f=[&year_end]&g=d&ignore=.csv&s=[&symbol]"),
              std::string::npos);
    EXPECT_NE(defaults[1].find("/kurse/[&symbol].csv"), std::string::npos);
    EXPECT_EQ(ImportLocation::offeredTemplates(), (std::vector<std::string>{defaults[0], defaults[1]}));

    {
        auto settings = SettingsStore::open();
        settings->setValue("ServerImport/URL1", "http://own.example/[&symbol]?from=[&year_begin]");
        settings->setValue("ServerImport/URL2", "");
        settings->setValue("ServerImport/URL4", "file:///data/[&symbol].csv");
    }
    EXPECT_EQ(
        ImportLocation::offeredTemplates(),
        (std::vector<std::string>{"http://own.example/[&symbol]?from=[&year_begin]", "file:///data/[&symbol].csv"}));

    const std::string url1 = defaults[0];
    const std::string address =
        ImportLocation::downloadAddress(url1, localTime(2004, 3, 2, 9), localTime(2004, 12, 31, 23, 59));
    EXPECT_NE(address.find("?b=2&a=2&c=2004&e=31&d=11&f=2004&g=d&ignore=.csv&s=[&symbol]"), std::string::npos);
}

TEST(ImportLocation, ALocalPathBecomesAFileAddress)
{
    EXPECT_EQ(ImportLocation::localFileAddress("C:\\data\\x.csv"), "file://C:\\data\\x.csv");
    EXPECT_EQ(ImportLocation::localFileAddress("/home/u/x.csv"), "file:///home/u/x.csv");
}

TEST(ImportLocation, ATypedLocationWithoutSchemeIsReadAsALocalFile)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/u/x.csv", "file:///home/u/x.csv"},
        {"quotes/x.csv", "file://quotes/x.csv"},
        {"http://h.example/x.csv?s=[&symbol]", "http://h.example/x.csv?s=[&symbol]"},
        {"file:///home/u/x.csv", "file:///home/u/x.csv"},
        {"", ""},
    };
    for (const auto& [typed, address] : cases)
        EXPECT_EQ(ImportLocation::readAddress(typed), address) << typed;
}
