// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

const QStringList kUtc = {"TZ=UTC", "LC_ALL=C"};

struct SafeInputCliTest : ::testing::Test {
    CliResult run(const QStringList& args, const QStringList& environment = kUtc) { return runCli(args, environment); }
    QString file(const std::string& name) const { return QString::fromStdString(m_env.path(name)); }

    QString portfolio()
    {
        const QString path = file("p.tkr");
        EXPECT_EQ(run({"new", path}).exitCode, 0);
        EXPECT_EQ(run({"add", path, "--name", "Acme"}).exitCode, 0);
        EXPECT_EQ(run({"quote", path, "Acme", "10", "--time", "2024-01-01 10:00"}).exitCode, 0);
        return path;
    }
    std::string history(const QString& path) { return run({"history", path, "Acme", "list"}).out; }

    TestEnvironment m_env;
};

TEST_F(SafeInputCliTest, TimesAPortfolioFileCannotStoreAreRefusedWhereTheyEnter)
{
    const QString path = portfolio();
    CliResult result = run({"quote", path, "Acme", "5", "--time", "2040-01-01 10:00"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.rfind("tickora-cli: Error: Date outside 1901-12-13 to 2038-01-19!\n", 0), 0u) << result.err;

    const QString source = QString::fromStdString(
        m_env.writeFile("history.csv", "Date,Close\n2040-01-02,20.5\n2024-01-02,11.5\n2041-01-01,1\nend\n"));
    const QStringList import = {"import", source, "--format", "[&year]-[&month]-[&day],[&value]"};
    result = run(import);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "2024-01-02 20:00;11.5000\n");
    EXPECT_EQ(result.err, "Skipped 2 lines whose date a portfolio file cannot store.\n");
    result = run(import + QStringList{"--into", path, "--item", "Acme"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(history(path), "2024-01-02 20:00\t11.5000\n2024-01-01 10:00\t10.0000\n");
    EXPECT_EQ(run({"quote", path, "Acme", "12"}).exitCode, 0) << "the file still saves";
}

TEST_F(SafeInputCliTest, AClosedPositionIsExactlyZeroSoADividendIsRefused)
{
    const QString path = portfolio();
    ASSERT_EQ(run({"sell", path, "Acme", "1", "10"}).exitCode, 0);
    CliResult result;
    for (int buy = 0; buy < 10; ++buy)
        result = run({"buy", path, "Acme", "0.1", "10"});
    EXPECT_EQ(result.out, "Quantity of items invested: 0\nAverage item's buy price: 0\n");
    result = run({"dividend", path, "Acme", "3"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "A dividend needs a quantity of items invested other than 0.\n");
}

TEST_F(SafeInputCliTest, NumbersInTheLocalesFormAndNegativeValues)
{
    const QString path = portfolio();
    const QStringList german = {"TZ=UTC", "LC_ALL=de_DE.UTF-8"};
    struct Case {
        const char* value;
        int exitCode;
        const char* listed;
    };
    for (const Case& c : {Case{"12,5", 0, "12,5000"}, Case{"1.234", 0, "1,2340"}, Case{"1.234,5", 2, nullptr},
                          Case{"1,234.5", 2, nullptr}, Case{"12,5x", 2, nullptr}}) {
        const CliResult result = run({"quote", path, "Acme", c.value, "--time", "2024-02-01 10:00"}, german);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.value << result.err;
        if (c.listed) {
            EXPECT_NE(run({"history", path, "Acme", "list"}, german).out.find(c.listed), std::string::npos) << c.value;
        } else {
            EXPECT_EQ(result.err.rfind("tickora-cli: Please enter a number.\n", 0), 0u) << c.value << result.err;
        }
    }
    EXPECT_EQ(run({"quote", path, "Acme", "12,5"}).exitCode, 2) << "the C locale has no decimal comma";
    ASSERT_EQ(run({"buy", path, "Acme", "10", "20"}).exitCode, 0);
    const CliResult dividend = run({"dividend", path, "Acme", "-5"});
    EXPECT_EQ(dividend.exitCode, 0) << dividend.err;
    EXPECT_EQ(dividend.out, "Quantity of items invested: 10\nAverage item's buy price: 20.5\n");
    // Every spelling of a negative number is a value; any other dashed word stays an option.
    EXPECT_EQ(run({"dividend", path, "Acme", "-.5"}).exitCode, 0);
    EXPECT_EQ(run({"dividend", path, "Acme", "-,5"}, german).exitCode, 0);
    const CliResult option = run({"dividend", path, "Acme", "-x5"});
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_NE(option.err.find("Unknown option"), std::string::npos) << option.err;
}

TEST_F(SafeInputCliTest, OnlyRegularFilesOrMissingPathsAreReplaced)
{
    const QString path = portfolio();
    const QString fifo = file("fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(file("folder")));
    for (const QString& target : {fifo, file("folder")}) {
        for (const QStringList& args : {QStringList{"convert", path, target}, QStringList{"export", path, target}}) {
            const CliResult result = run(args);
            EXPECT_EQ(result.exitCode, 3) << args.join(' ').toStdString();
            EXPECT_EQ(result.err, (target + " is not a regular file.\n").toStdString());
        }
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_TRUE(QFileInfo(file("folder")).isDir());

    const CliResult missing = run({"convert", path, file("none/p.tkr")});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(missing.err, (file("none") + " was not found.\n").toStdString());

    const QString copy = file("copy.tkr");
    ASSERT_EQ(run({"convert", path, copy}).exitCode, 0);
    ASSERT_TRUE(QFile::link(copy, file("link.tkr")));
    EXPECT_EQ(run({"quote", file("link.tkr"), "Acme", "3"}).exitCode, 0) << "a link to a regular file still works";
    EXPECT_TRUE(QFileInfo(file("link.tkr")).isSymLink());
}

TEST_F(SafeInputCliTest, NoCommandReplacesThePortfolioWithoutBeingAsked)
{
    const QString path = portfolio();
    const std::string before = readFileBytes(path.toStdString());
    ASSERT_TRUE(QFile::link(path, file("link.tkr")));
    for (const QStringList& args :
         {QStringList{"export", path, path}, QStringList{"convert", path, path},
          QStringList{"export", path, file("link.tkr")}, QStringList{"convert", file("link.tkr"), file("./p.tkr")}}) {
        const CliResult result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(result.err.rfind("tickora-cli: The output would replace the portfolio itself.\n", 0), 0u)
            << result.err;
    }
    const CliResult again = run({"new", path});
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_EQ(again.err.rfind(("tickora-cli: " + path + " already exists.\n").toStdString(), 0), 0u) << again.err;
    EXPECT_EQ(readFileBytes(path.toStdString()), before);
    EXPECT_EQ(run({"new", path, "--force"}).exitCode, 0);
    EXPECT_EQ(run({"history", path, "Acme", "list"}).exitCode, 2) << "the forced new portfolio is empty";
}

} // namespace
