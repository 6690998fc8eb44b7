// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>

namespace {

const QStringList kUtc = {"TZ=UTC", "LC_ALL=C"};

struct BackupsCli : ::testing::Test {
    CliResult run(const QStringList& args) { return runCli(args, kUtc); }
    std::string file(const std::string& name) const { return env.path(name); }
    QString portfolio() const { return QString::fromStdString(file("p.tkr")); }
    // The name of a daily backup `daysAgo` days before the day the program sees.
    static std::string daily(int daysAgo)
    {
        const QDate day = QDateTime::currentDateTimeUtc().date().addDays(-daysAgo);
        return "p.tkr." + day.toString("yyyy-MM-dd").toStdString() + ".bak";
    }
    void quote(const char* value)
    {
        const CliResult quoted = run({"quote", portfolio(), "Acme", value, "--time", "2024-01-01 10:00"});
        ASSERT_EQ(quoted.exitCode, 0) << quoted.err;
        EXPECT_EQ(quoted.err, "");
    }
    // A portfolio saved three times, and its bytes after each save.
    std::vector<std::string> threeSaves()
    {
        std::vector<std::string> versions;
        EXPECT_EQ(run({"new", portfolio()}).exitCode, 0);
        versions.push_back(readFileBytes(file("p.tkr")));
        EXPECT_EQ(run({"add", portfolio(), "--name", "Acme"}).exitCode, 0);
        versions.push_back(readFileBytes(file("p.tkr")));
        quote("10");
        versions.push_back(readFileBytes(file("p.tkr")));
        return versions;
    }
    bool exists(const std::string& name) const { return QFileInfo::exists(QString::fromStdString(file(name))); }

    TestEnvironment env;
};

} // namespace

TEST_F(BackupsCli, TheLastSaveAndTheDaysFirstSaveKeepWhatTheyReplaced)
{
    const std::vector<std::string> versions = threeSaves();
    EXPECT_EQ(readFileBytes(file("p.tkr.bak")), versions[1]);
    EXPECT_EQ(readFileBytes(file(daily(0))), versions[0]);
    EXPECT_EQ(std::filesystem::hard_link_count(file(daily(0))), 1U);

    // Saving the same bytes again keeps the backups as they are.
    quote("10");
    EXPECT_EQ(readFileBytes(file("p.tkr.bak")), versions[1]);

    const CliResult listed = run({"backups", portfolio()});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const std::string day = daily(0).substr(6, 10);
    EXPECT_EQ(listed.out.substr(0, 5), "last\t");
    EXPECT_NE(listed.out.find("\t1 items\t0 quotations\n" + day + "\t"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\t0 items\t0 quotations\n", listed.out.find(day)), std::string::npos);

    const CliResult json = run({"backups", portfolio(), "--json"});
    const QJsonArray backups = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    ASSERT_EQ(backups.size(), 2);
    EXPECT_EQ(backups[0]["name"].toString(), "last");
    EXPECT_EQ(backups[1]["name"].toString().toStdString(), day);
    EXPECT_EQ(backups[0]["items"].toInt(), 1);
    EXPECT_NEAR(backups[0]["time"].toDouble(), double(QDateTime::currentSecsSinceEpoch()), 60);
}

TEST_F(BackupsCli, TheReplacedFileBecomesTheBackupWithoutACopy)
{
    threeSaves();
    quote("11");
    // p.tkr.bak and today's backup name different versions; a second day shares the last one's file.
    env.writeFile(daily(0), "");
    ASSERT_TRUE(QFile::remove(QString::fromStdString(file(daily(0)))));
    quote("12");
    EXPECT_EQ(std::filesystem::hard_link_count(file("p.tkr.bak")), 2U);
    EXPECT_TRUE(std::filesystem::equivalent(file("p.tkr.bak"), file(daily(0))));
}

TEST_F(BackupsCli, OldDailyBackupsGoAndOtherFilesStay)
{
    threeSaves();
    const std::vector<std::string> others = {"other.tkr." + daily(30).substr(6), "p.tkr.2000-13-01.bak",
                                             daily(30) + ".txt", "p.tkr.bak.old"};
    for (const std::string& name : others)
        env.writeFile(name, "not a backup");
    env.writeFile(daily(13), "kept");
    env.writeFile(daily(14), "too old");
    env.writeFile(daily(400), "too old");
    quote("11");
    EXPECT_TRUE(exists(daily(13)));
    EXPECT_FALSE(exists(daily(14)));
    EXPECT_FALSE(exists(daily(400)));
    for (const std::string& name : others)
        EXPECT_EQ(readFileBytes(file(name)), "not a backup") << name;

    ASSERT_EQ(run({"options", "BackupDays=0"}).exitCode, 0);
    quote("12");
    EXPECT_FALSE(exists(daily(0)));
    EXPECT_FALSE(exists(daily(13)));
    EXPECT_TRUE(exists("p.tkr.bak"));
}

TEST_F(BackupsCli, RestoreSwapsTheFileWithItsBackupAndCanBeUndone)
{
    const std::vector<std::string> versions = threeSaves();
    ASSERT_EQ(run({"restore", portfolio(), "last"}).exitCode, 0);
    EXPECT_EQ(readFileBytes(file("p.tkr")), versions[1]);
    EXPECT_EQ(readFileBytes(file("p.tkr.bak")), versions[2]);
    ASSERT_EQ(run({"restore", portfolio(), "last"}).exitCode, 0);
    EXPECT_EQ(readFileBytes(file("p.tkr")), versions[2]);

    const std::string day = daily(0).substr(6, 10);
    ASSERT_EQ(run({"restore", portfolio(), QString::fromStdString(day)}).exitCode, 0);
    EXPECT_EQ(readFileBytes(file("p.tkr")), versions[0]);

    for (const char* unknown : {"2000-01-01", "yesterday", "2024-02-30"}) {
        const CliResult refused = run({"restore", portfolio(), unknown});
        EXPECT_EQ(refused.exitCode, 2) << unknown;
        EXPECT_NE(refused.err.find("There is no backup named"), std::string::npos);
    }
    EXPECT_EQ(readFileBytes(file("p.tkr")), versions[0]);
}

TEST_F(BackupsCli, ADamagedBackupIsListedAndNeverRestored)
{
    const std::vector<std::string> versions = threeSaves();
    env.writeFile(daily(1), std::string("\x05\x00garbage", 9));
    const CliResult listed = run({"backups", portfolio()});
    EXPECT_NE(listed.out.find(daily(1).substr(6, 10) + "\t"), std::string::npos);
    EXPECT_EQ(listed.out.substr(listed.out.size() - 11), "unreadable\n") << listed.out;

    const CliResult refused = run({"restore", portfolio(), QString::fromStdString(daily(1).substr(6, 10))});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(refused.err, "Unexpected file format.\n");
    EXPECT_EQ(readFileBytes(file("p.tkr")), versions[2]);
    EXPECT_EQ(readFileBytes(file("p.tkr.bak")), versions[1]);
}

TEST_F(BackupsCli, AFailedBackupNeverStopsTheSave)
{
    threeSaves();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(file("p.tkr.bak"))));
    ASSERT_TRUE(QDir(QString::fromStdString(file(""))).mkpath("p.tkr.bak/in"));
    const CliResult quoted = run({"quote", portfolio(), "Acme", "11"});
    EXPECT_EQ(quoted.exitCode, 0);
    EXPECT_EQ(quoted.err.rfind("The backup copy could not be made: ", 0), 0U) << quoted.err;
    EXPECT_NE(quoted.err.find("is not a regular file."), std::string::npos) << quoted.err;
    EXPECT_NE(run({"show", portfolio()}).out.find("11.0000"), std::string::npos);
}

TEST_F(BackupsCli, ExportsAndUnreadableFoldersKeepNoBackups)
{
    threeSaves();
    const QString out = QString::fromStdString(file("out.txt"));
    ASSERT_EQ(run({"export", portfolio(), out}).exitCode, 0);
    quote("11");
    ASSERT_EQ(run({"export", portfolio(), out}).exitCode, 0);
    const QString registry = QString::fromStdString(file("servers.reg"));
    ASSERT_EQ(run({"servers", "export", registry}).exitCode, 0);
    ASSERT_EQ(run({"servers", "export", registry}).exitCode, 0);
    EXPECT_EQ(QDir(QString::fromStdString(file(""))).entryList({"out*", "servers*"}, QDir::Files).size(), 2);

    const CliResult missing = run({"backups", QString::fromStdString(file("gone/p.tkr"))});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.err.find("could not be read"), std::string::npos);
    const CliResult none = run({"backups", QString::fromStdString(file("new.tkr"))});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, "");
}
