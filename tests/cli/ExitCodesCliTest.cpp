// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList kUtc = {"TZ=UTC", "LC_ALL=C"};

struct ExitCodesCliTest : ::testing::Test {
    CliResult run(const QStringList& args) { return runCli(args, kUtc); }
    QString file(const std::string& name) const { return QString::fromStdString(m_env.path(name)); }
    QString write(const std::string& name, const std::string& bytes) const
    {
        return QString::fromStdString(m_env.writeFile(name, bytes));
    }

    TestEnvironment m_env;
};

// Every command follows the README's table: 0 success, 1 some of the work failed, 2 the command line
// was wrong, 3 a file could not be opened, read or saved.
TEST_F(ExitCodesCliTest, EveryCommandFollowsTheTable)
{
    const QString p = file("p.tkr");
    ASSERT_EQ(run({"new", p}).exitCode, 0);
    ASSERT_EQ(run({"add", p, "--name", "Acme"}).exitCode, 0);
    ASSERT_EQ(run({"quote", p, "Acme", "10", "--time", "2024-01-01 10:00"}).exitCode, 0);
    const QString page = write("page.html", "<p>Nothing to see</p>");
    const QString text = write("history.csv", "no quotations here\n");
    const std::string stream = readFileBytes(p.toStdString());
    const QString trailing = write("trailing.tkr", stream + "x");
    const QString garbage = write("garbage.tkr", std::string("\x05\x00garbage", 9));
    const QString longText(300, 'x');

    const std::vector<std::pair<QStringList, int>> table = {
        {{"show", p}, 0},
        {{"dividend", p, "Acme", "3"}, 1},
        {{"import", text}, 1},
        {{"extract", page, "--start", "Price"}, 1},
        {{"show", p, "--bogus"}, 2},
        {{"show", p, "surplus"}, 2},
        {{"quote", p, "Acme"}, 2},
        {{"quote", p, "Acme", "ten"}, 2},
        {{"quote", p, "Acme", "0"}, 2},
        {{"buy", p, "Acme", "1e9", "1"}, 2},
        {{"options", "NumberDownloads=0"}, 2},
        {{"quote", p, "Acme", "5", "--time", "2040-01-01 10:00"}, 2},
        {{"quote", p, "Acme", "5", "--time", "2024-02-30 10:00"}, 2},
        {{"extract", page, "--start", "Price", "--reference", "2024-02-30 10:00"}, 2},
        {{"history", p, "Acme", "split", "0.01"}, 2},
        {{"servers", "set", longText}, 2},
        {{"servers", "set", "Long", "--url", "http://" + longText}, 2},
        {{"servers", "set", "Line\nbreak"}, 2},
        {{"servers", "set", "Back\\slash"}, 2},
        {{"servers", "set", "Scheme", "--url", "ftp://example.com/[&symbol]"}, 2},
        {{"servers", "set", "Pattern", "--regex", "(unclosed"}, 2},
        {{"servers", "show", "Nobody"}, 2},
        {{"servers", "delete", "Nobody"}, 2},
        {{"quote", p, "Nobody", "5"}, 2},
        {{"export", p, p}, 2},
        {{"new", p}, 2},
        {{"show", file("missing.tkr")}, 3},
        {{"show", garbage}, 3},
        {{"show", trailing}, 3},
        {{"convert", p, file("no/such/folder.tkr")}, 3},
        {{"import", file("missing.csv")}, 3},
    };
    for (const auto& [args, exitCode] : table) {
        const CliResult result = run(args);
        EXPECT_EQ(result.exitCode, exitCode) << args.join(' ').toStdString() << "\n" << result.err;
    }
    EXPECT_EQ(readFileBytes(p.toStdString()), stream) << "no refused command changed the portfolio";
    EXPECT_EQ(run({"show", trailing}).err, "Unexpected file format.\n");
}

// A folder, a FIFO or an unreadable file named where a command reads a file is a file error, never a crash
// or a wait.
TEST_F(ExitCodesCliTest, EveryCommandThatReadsAFileRefusesWhatIsNoReadableRegularFile)
{
    const QString p = file("p.tkr");
    ASSERT_EQ(run({"new", p}).exitCode, 0);
    ASSERT_EQ(run({"add", p, "--name", "Acme"}).exitCode, 0);
    const QString folder = file("folder");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString fifo = file("fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString history = write("history.csv", "2024-01-02 5\n");
    QStringList unreadable = {folder, fifo};
    // The superuser reads every file whatever its mode.
    if (::geteuid() != 0) {
        const QString locked = write("locked", "x");
        ASSERT_EQ(::chmod(locked.toLocal8Bit().constData(), 0), 0);
        unreadable << locked;
    }
    for (const QString& bad : unreadable) {
        const std::vector<QStringList> commands = {
            {"show", bad},
            {"dump", bad},
            {"add", bad, "--name", "N"},
            {"quote", bad, "Acme", "1"},
            {"buy", bad, "Acme", "1", "1"},
            {"dividend", bad, "Acme", "1"},
            {"update", bad},
            {"test", bad, "Acme"},
            {"history", bad, "Acme", "list"},
            {"export", bad, file("out.txt")},
            {"convert", bad, file("out.tkr")},
            {"import", bad},
            {"import", history, "--into", bad, "--item", "Acme"},
            {"extract", bad, "--start", "Price"},
            {"wizard", bad, "--quote", "12"},
        };
        for (const QStringList& args : commands) {
            const CliResult result = run(args);
            EXPECT_EQ(result.exitCode, 3) << args.join(' ').toStdString() << "\n" << result.err;
            EXPECT_FALSE(result.err.empty()) << args.join(' ').toStdString();
        }
    }
}

} // namespace
