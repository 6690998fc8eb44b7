// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/NativePath.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <fstream>

namespace {

TEST(NativePath, ArgumentsKeepEveryByteAndUtf8StaysText)
{
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"depot.tkr", true},
        {"D\xc3\xa9p\xc3\xb4t \xe2\x82\xac \xf0\x9f\x93\x88.tkr", true},
        {"a\xff"
         "b",
         false},
        {"\xc3", false},
        {"\xc0\xaf", false},
        {"\xed\xa0\x80", false},
        {"\xf4\x90\x80\x80", false},
        {"\xe2\x82", false},
        {"\x80\xc3\xa9\xfe", false},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(NativePath::isUtf8(bytes), utf8) << bytes;
        const QString text = NativePath::fromArgument(bytes);
        EXPECT_EQ(NativePath::toBytes(text), bytes) << bytes;
        if (utf8) {
            EXPECT_EQ(text, QString::fromStdString(bytes)) << bytes;
        }
    }
    EXPECT_EQ(NativePath::fromArgument("a\xff"), QStringLiteral("a") + QChar(char16_t(0xDCFF)));
}

TEST(NativePath, QtReachesFilesWhoseNamesAreNotUtf8)
{
    TestEnvironment env;
    const std::string folder = env.path("f") + "\xfe";
    std::filesystem::create_directory(folder);
    const std::string file = folder + "/p\xff.txt";
    std::ofstream(file) << "bytes";

    QFile existing(NativePath::forQt(file));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "bytes");
    EXPECT_TRUE(QFileInfo(NativePath::forQt(folder + "/new.txt")).dir().exists());
    EXPECT_FALSE(QFileInfo::exists(NativePath::forQt(folder + "/missing\xff")));
    EXPECT_EQ(NativePath::forQt(env.path("plain.txt")), QString::fromStdString(env.path("plain.txt")));
    // Qt cannot name the folder to remove it with the test's others.
    std::filesystem::remove_all(folder);
}

} // namespace
