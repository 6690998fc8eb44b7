// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FileReader.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

TEST(ReadWholeFile, ReadsRegularFilesAndFilesWithoutASize)
{
    TestEnvironment env;
    const std::string bytes("a\0b\xFF", 4);
    std::optional<std::string> read = readWholeFile(env.writeFile("p.bin", bytes));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, bytes);
    read = readWholeFile("/proc/self/status");
    ASSERT_TRUE(read) << "proc files report size 0";
    EXPECT_NE(read->find("Name:"), std::string::npos);
    EXPECT_FALSE(readWholeFile(env.path("absent")));
}
