// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

namespace {

std::string readme()
{
    QFile file(QStringLiteral(TICKORA_SOURCE_DIR "/README.md"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

} // namespace

TEST(CommandTable, EveryUsageBeginsWithItsReadmeLine)
{
    const std::string text = readme();
    QSet<QString> names;
    for (const CliCommand* command : cliCommands()) {
        SCOPED_TRACE(command->name);
        names.insert(QString::fromLatin1(command->name));
        const std::string usage = command->usage;
        const std::string prefix = std::string("Usage: tickora-cli ") + command->name;
        ASSERT_EQ(usage.substr(0, prefix.size()), prefix);
        const std::string line = firstLine(usage).substr(std::string("Usage: ").size());
        EXPECT_NE(text.find(line), std::string::npos) << "README lacks: " << line;
        EXPECT_EQ(findCliCommand(QString::fromLatin1(command->name)), command);
    }
    EXPECT_EQ(names.size(), qsizetype(cliCommands().size())) << "command names are unique";
    EXPECT_EQ(findCliCommand(QStringLiteral("bogus")), nullptr);
}

TEST(CommandTable, OverviewListsTheSummariesInTableOrder)
{
    const std::string& overview = cliOverview();
    size_t from = 0;
    for (const CliCommand* command : cliCommands()) {
        const std::string summary = command->summary;
        EXPECT_TRUE(summary.empty() || (summary.back() == '\n' && summary.find("\n\n") == std::string::npos))
            << command->name << ": whole lines, no blank one";
        const size_t at = overview.find(command->summary, from);
        ASSERT_NE(at, std::string::npos) << command->name;
        from = at + std::string(command->summary).size();
    }
    EXPECT_EQ(overview.substr(overview.rfind('\n') + 1),
              "Exit codes: 0 success, 1 the outcome failed, 2 usage error, 3 file error.");
}

TEST(CommandTable, HelpAndVersionPrintOnStdoutAndSucceed)
{
    TestEnvironment env;
    for (const CliCommand* command : cliCommands()) {
        for (const char* flag : {"--help", "-h"}) {
            SCOPED_TRACE(std::string(command->name) + " " + flag);
            const CliResult result = runCli({QString::fromLatin1(command->name), QString::fromLatin1(flag)});
            EXPECT_EQ(result.exitCode, 0);
            EXPECT_EQ(result.out, std::string(command->usage) + "\n");
            EXPECT_EQ(result.err, "");
        }
    }
    const CliResult overview = runCli({"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_EQ(overview.out, cliOverview() + "\n");

    const CliResult version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "tickora-cli 1.0.0\n");
    EXPECT_EQ(std::string(TICKORA_VERSION), "1.0.0");
    EXPECT_EQ(version.err, "");

    // A misplaced --help stays what it was: an unknown option.
    const CliResult misplaced = runCli({"new", "p.tkr", "--help"});
    EXPECT_EQ(misplaced.exitCode, 2);
    EXPECT_EQ(misplaced.err, "tickora-cli: Unknown option 'help'.\n" + std::string(kNewCommand.usage) + "\n");
}

TEST(CommandTable, OnlyCommandsThatCanUseServersInstallTheBuiltInOnes)
{
    TestEnvironment env;
    const QString portfolio = QString::fromStdString(env.path("p.tkr"));
    ASSERT_EQ(runCli({"new", portfolio}).exitCode, 0);
    ASSERT_EQ(runCli({"add", portfolio, "--name", "A"}).exitCode, 0);
    const QString settings = QString::fromStdString(env.settingsPath());
    const auto hasServers = [&settings] {
        QFile file(settings);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("[Server]");
    };
    ASSERT_TRUE(hasServers()) << "new can add an item with a server";

    const QString out = QString::fromStdString(env.path("out"));
    const std::vector<std::pair<QStringList, bool>> cases = {
        {{"show", portfolio}, false},
        {{"dump", portfolio}, false},
        {{"convert", portfolio, out + ".tkr"}, false},
        {{"export", portfolio, out + ".txt"}, false},
        {{"history", portfolio, "A", "list"}, false},
        {{"servers", "list"}, true},
        {{"add", portfolio, "--name", "B"}, true},
    };
    for (const auto& [args, installs] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        QFile::remove(settings);
        EXPECT_EQ(runCli(args).exitCode, 0);
        EXPECT_EQ(hasServers(), installs);
    }
}
