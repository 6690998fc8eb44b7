// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FileBackups.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

bool refuseLinks(const std::string&, const std::string&, std::string& reason)
{
    reason = "Operation not permitted";
    return false;
}

const QDate kMonday(2026, 3, 2);

} // namespace

TEST(FileBackups, WithoutHardLinksTheBackupsAreCopies)
{
    TestEnvironment env;
    const std::string path = env.writeFile("p.tkr", "first");
    const FileBackups backups(path, refuseLinks);
    std::string failure;
    ASSERT_TRUE(backups.save("second", 14, failure, kMonday).saved);
    ASSERT_TRUE(backups.save("third", 14, failure, kMonday).saved);
    EXPECT_EQ(failure, "");
    EXPECT_EQ(readFileBytes(path), "third");
    EXPECT_EQ(readFileBytes(path + ".bak"), "second");
    EXPECT_EQ(readFileBytes(path + ".2026-03-02.bak"), "first");
    EXPECT_EQ(std::filesystem::hard_link_count(path + ".bak"), 1U);
}

TEST(FileBackups, EachDayKeepsTheVersionItsFirstSaveReplaced)
{
    TestEnvironment env;
    const std::string path = env.writeFile("p.tkr", "v0");
    const FileBackups backups(path);
    std::string failure;
    const std::vector<std::pair<QDate, const char*>> saves = {
        {kMonday, "v1"}, {kMonday, "v2"}, {kMonday.addDays(1), "v3"}, {kMonday.addDays(3), "v4"}};
    for (const auto& [day, bytes] : saves)
        ASSERT_TRUE(backups.save(bytes, 3, failure, day).saved);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path + ".2026-03-02.bak")));
    EXPECT_EQ(readFileBytes(path + ".2026-03-03.bak"), "v2");
    EXPECT_EQ(readFileBytes(path + ".2026-03-05.bak"), "v3");
    EXPECT_TRUE(std::filesystem::equivalent(path + ".bak", path + ".2026-03-05.bak"));

    const auto listed = backups.list();
    ASSERT_TRUE(listed);
    std::vector<std::string> names;
    for (const FileBackups::Backup& backup : *listed)
        names.push_back(backup.name);
    EXPECT_EQ(names, (std::vector<std::string>{"last", "2026-03-05", "2026-03-03"}));
    EXPECT_EQ(backups.find("2026-03-03")->path, path + ".2026-03-03.bak");
    EXPECT_FALSE(backups.find("2026-03-04"));
}

TEST(FileBackups, OnlyASaveOfOtherBytesReplacesTheBackup)
{
    // Larger than one block of the comparison, so that a difference at the very end is found too.
    const std::string large(300000, 'x');
    const std::string largeChanged = large.substr(0, large.size() - 1) + 'y';
    const struct {
        std::string before;
        std::string after;
        bool keeps;
    } cases[] = {
        {"abc", "abc", false}, {large, large, false}, {large, largeChanged, true},
        {"abc", "abcd", true}, {"abcd", "abc", true}, {"", "a", true},
    };
    for (const auto& [before, after, keeps] : cases) {
        TestEnvironment env;
        const std::string path = env.writeFile("p.tkr", before);
        env.writeFile("p.tkr.bak", "older");
        std::string failure;
        ASSERT_TRUE(FileBackups(path).save(after, 0, failure, kMonday).saved);
        EXPECT_EQ(readFileBytes(path), after);
        EXPECT_EQ(readFileBytes(path + ".bak"), keeps ? before : "older") << after.size();
    }
}
