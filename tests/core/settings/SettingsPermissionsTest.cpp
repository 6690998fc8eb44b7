// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>

namespace {

unsigned modeOf(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0;
}

} // namespace

TEST(SettingsPermissions, TheStoreAndItsNewFoldersAreTheUsersOnly)
{
    TestEnvironment env;
    const std::string settings = env.path("new/config/settings.ini");
    qputenv("TICKORA_SETTINGS", QByteArray::fromStdString(settings));
    GeneralOptions options;
    options.BackupDays = 7;
    ASSERT_TRUE(options.writeOptions());
    EXPECT_EQ(modeOf(settings), 0600U);
    EXPECT_EQ(modeOf(env.path("new/config")), 0700U);
    EXPECT_EQ(modeOf(env.path("new")), 0700U);
    EXPECT_EQ(GeneralOptions::readOptions().BackupDays, 7);

    // A store an earlier version left readable by all is taken back.
    const std::string older = env.writeFile("older.ini", "[GeneralOptions]\nBackupDays=9\n");
    ASSERT_EQ(::chmod(older.c_str(), 0644), 0);
    qputenv("TICKORA_SETTINGS", QByteArray::fromStdString(older));
    EXPECT_EQ(GeneralOptions::readOptions().BackupDays, 9);
    EXPECT_EQ(modeOf(older), 0600U);
}
