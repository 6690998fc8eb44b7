// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <algorithm>
#include <filesystem>

// File names that are not UTF-8 reach the file system byte for byte, through the real program.
namespace {

const char* const kYahooFormat = "[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]";

// Each argument goes through printf, so bytes no QString can hold reach the program as they are.
CliResult runCliBytes(const std::vector<std::string>& args)
{
    QString script = QStringLiteral("exec \"$0\"");
    for (const std::string& arg : args) {
        script += QStringLiteral(" \"$(printf '");
        for (const unsigned char byte : arg)
            script += QStringLiteral("\\%1").arg(int(byte), 3, 8, QLatin1Char('0'));
        script += QStringLiteral("')\"");
    }
    QProcess process;
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, QStringLiteral(TICKORA_CLI_PATH)});
    CliResult result;
    if (!process.waitForFinished(120000))
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

// A name turned into U+FFFD, or a temporary file left behind; empty when there is none.
std::string strayFile(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find("\xef\xbf\xbd") != std::string::npos || name.ends_with(".tmp"))
            return name;
    }
    return {};
}

} // namespace

TEST(FileNameBytesCli, NamesWithTheByteFFAreCreatedReadImportedIntoAndExported)
{
    TestEnvironment env;
    const std::string folder = env.path("prices") + "\xff";
    std::filesystem::create_directory(folder);
    const std::string portfolio = folder + "/depot\xff.tkr";
    const std::string source = folder + "/orcl\xff.csv";
    std::filesystem::copy_file(realDataPath("yahoo_tablecsv_orcl_2000.csv"), source);

    CliResult result = runCliBytes({"new", portfolio});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ASSERT_TRUE(std::filesystem::is_regular_file(portfolio));
    EXPECT_EQ(runCliBytes({"new", portfolio}).exitCode, 2) << "an existing file is found";
    result = runCliBytes({"add", portfolio, "--name", "Oracle"});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    result = runCliBytes({"import", source, "--format", kYahooFormat, "--into", portfolio, "--item", "Oracle"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    result = runCliBytes({"show", portfolio, "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("\"Oracle\""), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"lastTime\":9"), std::string::npos) << "the imported history: " << result.out;

    result = runCliBytes(
        {"import", "--location", source, "--from", "2000-01-01", "--to", "2000-12-31", "--format", kYahooFormat});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_GT(std::count(result.out.begin(), result.out.end(), '\n'), 200) << result.out;

    const std::string exported = folder + "/out\xff.txt";
    result = runCliBytes({"export", portfolio, exported});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_GT(std::filesystem::file_size(exported), 1000U);
    EXPECT_TRUE(std::filesystem::is_regular_file(portfolio + ".bak")) << "the save before the import is kept";

    EXPECT_EQ(runCliBytes({"show", folder + "/missing\xff.tkr"}).exitCode, 3);
    EXPECT_EQ(strayFile(folder), "");
    EXPECT_EQ(strayFile(env.path("")), "");
    // Qt cannot name the folder to remove it with the test's others.
    std::filesystem::remove_all(folder);
}
