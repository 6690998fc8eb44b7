// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/GeneralOptions.h"
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/settings/DownloadOptions.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

const GeneralOptions::Field& field(const std::string& name)
{
    const GeneralOptions::Field* found = GeneralOptions::findField(name);
    EXPECT_NE(found, nullptr) << name;
    return found ? *found : GeneralOptions::fields().front();
}

std::string check(const std::string& name, const std::string& text, int32_t& value)
{
    const Result<int32_t> entry = GeneralOptions::checkEntry(field(name), text);
    if (entry)
        value = *entry;
    return entry.message();
}

const char* const kDefaultLines = "NumberDownloads=5\n"
                                  "AutosaveOnExit=0\n"
                                  "Autoupdate=1\n"
                                  "Autoupdate_Time=1\n"
                                  "DownloadStatus=1\n"
                                  "Hour1=9\n"
                                  "Hour2=18\n"
                                  "Minute1=30\n"
                                  "Minute2=30\n"
                                  "UpdateIntervall=60\n"
                                  "AutosaveWindows=1\n"
                                  "ShowFileOnError=1\n"
                                  "ConnectionsPerHost=4\n"
                                  "GuardPercent=0\n"
                                  "BackupDays=14\n"
                                  "UserAgent=Tickora/1.0.0\n";

} // namespace

TEST(GeneralOptions, EmptyStoreReadsTheDefaults)
{
    TestEnvironment env;
    const GeneralOptions options = GeneralOptions::readOptions();
    EXPECT_EQ(options.NumberDownloads, 5);
    EXPECT_EQ(options.Autoupdate, 1);
    EXPECT_EQ(options.UpdateIntervall, 60);
    EXPECT_EQ(options.Autoupdate_Time, 1);
    EXPECT_EQ(std::vector<int>({options.Hour1, options.Minute1, options.Hour2, options.Minute2}),
              std::vector<int>({9, 30, 18, 30}));
    EXPECT_EQ(options.DownloadStatus, 1);
    EXPECT_EQ(options.AutosaveOnExit, 0);
    EXPECT_EQ(options.AutosaveWindows, 1);
    EXPECT_EQ(options.ShowFileOnError, 1);
    EXPECT_EQ(options.validate().message(), "");
}

TEST(GeneralOptions, WriteThenReadAndTheStoredNames)
{
    TestEnvironment env;
    GeneralOptions options;
    options.NumberDownloads = 500;
    options.AutosaveOnExit = 1;
    options.Autoupdate = 0;
    options.Autoupdate_Time = 0;
    options.DownloadStatus = 0;
    options.Hour1 = 0;
    options.Hour2 = 23;
    options.Minute1 = 0;
    options.Minute2 = 59;
    options.UpdateIntervall = 5;
    options.AutosaveWindows = 0;
    options.ShowFileOnError = 0;
    options.GuardPercent = 1000;
    options.BackupDays = 3650;
    ASSERT_TRUE(options.writeOptions());
    EXPECT_EQ(GeneralOptions::readOptions(), options);

    QSettings settings(QString::fromStdString(env.settingsPath()), QSettings::IniFormat);
    EXPECT_EQ(settings.value("GeneralOptions/NumberDownloads").toInt(), 500);
    EXPECT_EQ(settings.value("GeneralOptions/UpdateIntervall").toInt(), 5);
    EXPECT_EQ(settings.value("GeneralOptions/Autoupdate_Time").toInt(), 0);
    EXPECT_EQ(settings.value("GeneralOptions/GuardPercent").toInt(), 1000);
    EXPECT_EQ(settings.value("GeneralOptions/BackupDays").toInt(), 3650);
    settings.beginGroup("GeneralOptions");
    EXPECT_EQ(settings.childKeys().size(), 15);
}

TEST(GeneralOptions, UnreadableOrImpossibleStoredValuesReadAsDefaults)
{
    TestEnvironment env;
    {
        QSettings settings(QString::fromStdString(env.settingsPath()), QSettings::IniFormat);
        settings.setValue("GeneralOptions/NumberDownloads", 0);
        settings.setValue("GeneralOptions/UpdateIntervall", "soon");
        settings.setValue("GeneralOptions/Hour1", 24);
        settings.setValue("GeneralOptions/Minute2", 15);
    }
    const GeneralOptions options = GeneralOptions::readOptions();
    EXPECT_EQ(options.NumberDownloads, 5);
    EXPECT_EQ(options.UpdateIntervall, 60);
    EXPECT_EQ(options.Hour1, 9);
    EXPECT_EQ(options.Minute2, 15);
}

TEST(GeneralOptions, EntriesAreCheckedAsTheDialogChecksThem)
{
    int32_t value = -7;
    EXPECT_EQ(check("NumberDownloads", "0", value), "Please enter an integer between 1 and 500.");
    EXPECT_EQ(check("NumberDownloads", "501", value), "Please enter an integer between 1 and 500.");
    EXPECT_EQ(check("UpdateIntervall", "4", value), "Please enter an integer between 5 and 500.");
    EXPECT_EQ(check("UpdateIntervall", "five", value), "Please enter a positive integer.");
    EXPECT_EQ(check("NumberDownloads", "", value), "Please enter a positive integer.");
    EXPECT_EQ(check("NumberDownloads", "2.5", value), "Please enter a positive integer.");
    EXPECT_EQ(check("Hour2", "24", value), "Please enter an integer between 0 and 23.");
    EXPECT_EQ(check("Minute1", "60", value), "Please enter an integer between 0 and 59.");
    EXPECT_EQ(check("Autoupdate", "2", value), "Please enter an integer between 0 and 1.");
    EXPECT_EQ(value, -7) << "a refused entry must not change the value";

    const std::pair<const char*, const char*> accepted[] = {
        {"NumberDownloads", "1"}, {"NumberDownloads", "500"}, {"UpdateIntervall", "5"}, {"UpdateIntervall", "500"},
        {"Hour1", "0"},           {"Minute2", "59"},          {"ShowFileOnError", "0"}};
    for (const auto& [name, text] : accepted) {
        EXPECT_EQ(check(name, text, value), "") << name << "=" << text;
        EXPECT_EQ(value, std::stoi(text));
    }

    GeneralOptions options;
    options.UpdateIntervall = 4;
    EXPECT_EQ(options.validate().message(), "Please enter an integer between 5 and 500.");
}

TEST(OptionsCli, PrintsChecksAndStoresAllOrNothing)
{
    TestEnvironment env;
    CliResult result = runCli({"options"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, kDefaultLines);

    result = runCli({"options", "Hour1=7", "NumberDownloads=501", "UpdateIntervall=4"});
    EXPECT_EQ(result.exitCode, 2) << "a value out of range is a wrong command line";
    EXPECT_NE(result.err.find("Please enter an integer between 1 and 500."), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Please enter an integer between 5 and 500."), std::string::npos) << result.err;
    EXPECT_EQ(GeneralOptions::readOptions(), GeneralOptions());

    result = runCli({"options", "Hour1=7", "Bogus=1"});
    EXPECT_EQ(result.exitCode, 2);
    result = runCli({"options", "Hour1"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(GeneralOptions::readOptions(), GeneralOptions());

    result = runCli({"options", "Hour1=7", "Minute1=5", "Autoupdate=0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    GeneralOptions expected;
    expected.Hour1 = 7;
    expected.Minute1 = 5;
    expected.Autoupdate = 0;
    EXPECT_EQ(GeneralOptions::readOptions(), expected);
    EXPECT_NE(result.out.find("Hour1=7\nHour2=18\nMinute1=5\n"), std::string::npos) << result.out;

    result = runCli({"options", "--json"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("\"Hour1\":7"), std::string::npos) << result.out;
}

TEST(OptionsCli, ConnectionsPerHostAndUserAgent)
{
    TestEnvironment env;
    // A refused value is a wrong command line like any other.
    const std::pair<const char*, const char*> refused[] = {
        {"ConnectionsPerHost=0", "Please enter an integer between 1 and 16."},
        {"ConnectionsPerHost=17", "Please enter an integer between 1 and 16."},
        {"UserAgent=", "Please enter a user agent."},
        {"UserAgent=A\nX-Evil: 1", "control characters"},
        {"UserAgent=A\tB", "control characters"}};
    for (const auto& [assignment, message] : refused) {
        const CliResult result = runCli({"options", assignment});
        EXPECT_EQ(result.exitCode, 2) << assignment;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
    EXPECT_EQ(runCli({"options"}).out, kDefaultLines);

    const CliResult result = runCli({"options", "ConnectionsPerHost=16", "UserAgent=Mozilla/5.0 (Probe)"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(GeneralOptions::readOptions().ConnectionsPerHost, 16);
    EXPECT_EQ(DownloadOptions::readOptions().UserAgent, "Mozilla/5.0 (Probe)");
    QSettings settings(QString::fromStdString(env.settingsPath()), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Download/UserAgent").toString(), QStringLiteral("Mozilla/5.0 (Probe)"));
    EXPECT_EQ(settings.value("GeneralOptions/ConnectionsPerHost").toInt(), 16);
}
