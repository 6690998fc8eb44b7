// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QStringList kUtc = {"TZ=UTC", "LC_ALL=C"};

struct CliFixture : ::testing::Test {
    CliResult run(const QStringList& args) { return runCli(args, kUtc); }
    QString file(const std::string& name) const { return QString::fromStdString(env.path(name)); }

    // A portfolio with the history item and "Acme" holding two quotations a day apart.
    QString acme()
    {
        const QString path = file("p.tkr");
        EXPECT_EQ(run({"new", path}).exitCode, 0);
        EXPECT_EQ(run({"add", path, "--name", "Acme", "--symbol", "ACM"}).exitCode, 0);
        EXPECT_EQ(run({"quote", path, "Acme", "10", "--time", "2024-01-01 10:00"}).exitCode, 0);
        EXPECT_EQ(run({"quote", path, "Acme", "12.5", "--time", "2024-01-02 10:00"}).exitCode, 0);
        return path;
    }

    TestEnvironment env;
};

} // namespace

TEST_F(CliFixture, ShowPrintsTheCellsAndTheStatusLine)
{
    const QString path = acme();
    const CliResult shown = run({"show", path, "--now", "2024-01-02 12:00"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out,
              " Invested Amount History\t\t\t\t\t\t\t\t\n"
              "Acme\t10:00\t12.5000\t10.0000\t12.5000\t+25.00% (1 Days)\t+25.00% (1 Days)\t+25.00% (1 Days)\t0.00\n"
              "Amount invested: 0.00\n");
    const CliResult nominal = run({"show", path, "--nominal", "--now", "2024-01-20 12:00"});
    EXPECT_NE(nominal.out.find("Acme\t01/02/24   10:00\t12.5000\t10.0000\t12.5000\t+2.5000 (1 Days)"),
              std::string::npos)
        << nominal.out;
}

TEST_F(CliFixture, InvestmentsAndJson)
{
    const QString path = acme();
    CliResult result = run({"buy", path, "Acme", "10", "20", "5"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "Quantity of items invested: 10\nAverage item's buy price: 20.5\n");
    result = run({"sell", path, "Acme", "4", "30", "2"});
    EXPECT_EQ(result.out.substr(0, 52), "Financial result of the selling transaction: 36.00\nQ");
    EXPECT_EQ(run({"sell", path, "Acme", "-4", "30"}).exitCode, 2);
    EXPECT_EQ(run({"buy", path, "Acme", "0.001", "30"}).exitCode, 2);
    EXPECT_EQ(run({"dividend", path, "Nobody", "3"}).exitCode, 2);
    EXPECT_EQ(run({"dividend", path, " Invested Amount History", "3"}).exitCode, 1);

    result = run({"show", path, "--json"});
    ASSERT_EQ(result.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
    const QJsonObject item = json["items"].toArray()[1].toObject();
    EXPECT_EQ(item["name"].toString(), "Acme");
    EXPECT_EQ(item["lastTime"].toInteger(), 1704189600);
    EXPECT_EQ(item["invested"].toDouble(), 75.0);
    EXPECT_NEAR(item["gain"].toDouble(), 12.5 * 100 / 20.5 - 100, 1e-9);
    EXPECT_EQ(item["totalDays"].toInt(), 1);
    EXPECT_TRUE(json["items"].toArray()[0].toObject()["lastTime"].isNull());
    EXPECT_EQ(json["status"].toString(), "Amount invested: 75.00 (Last: +25.00% Total: -39.02%)");
}

TEST_F(CliFixture, UnreadableFilesAreNeverWritten)
{
    const std::string garbage("\x05\x00garbage", 9);
    const QString bad = QString::fromStdString(env.writeFile("bad.tkr", garbage));
    for (const QStringList& args : {QStringList{"show", bad}, QStringList{"add", bad, "--name", "N"},
                                    QStringList{"quote", bad, "X", "1"}, QStringList{"buy", bad, "X", "1", "1"},
                                    QStringList{"dump", bad}, QStringList{"convert", bad, file("out.tkr")}}) {
        const CliResult result = run(args);
        EXPECT_EQ(result.exitCode, 3) << args.join(' ').toStdString();
        EXPECT_EQ(result.err, "Unexpected file format.\n");
    }
    EXPECT_EQ(readFileBytes(bad.toStdString()), garbage);
    EXPECT_FALSE(QFile::exists(file("out.tkr")));
    EXPECT_EQ(run({"show", file("none.tkr")}).exitCode, 3);
}

TEST_F(CliFixture, ConvertAndDump)
{
    const QString out = file("v8.tkr");
    ASSERT_EQ(run({"convert", QString::fromStdString(testDataPath("portfolios/version2.tkr")), out}).exitCode, 0);
    const CliResult dump = run({"dump", out});
    ASSERT_EQ(dump.exitCode, 0);
    const QJsonArray items = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object()["items"].toArray();
    ASSERT_EQ(items.size(), 2);
    const QJsonObject item = items[0].toObject();
    EXPECT_EQ(item["quantity"].toDouble(), 7.0);
    EXPECT_EQ(item["server"].toObject()["Timeout"].toInt(), 77);
    EXPECT_EQ(item["quotations"].toArray()[1].toArray()[0].toInteger(), 1073001600);
    EXPECT_EQ(items[1].toObject()["isInvestedAmountHistory"].toInt(), 1);
}

TEST_F(CliFixture, AddWithServerOrRules)
{
    const QString path = file("a.tkr");
    run({"new", path});
    EXPECT_EQ(run({"add", path, "--name", "R", "--url", "http://x.example/[&symbol]"}).exitCode, 0);
    EXPECT_EQ(run({"add", path, "--name", "S", "--server", "No such server"}).exitCode, 2);
    EXPECT_EQ(run({"add", path, "--name", "T", "--server", "X", "--timeout", "5"}).exitCode, 2);
    const CliResult dump = run({"dump", path});
    const QJsonArray items = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object()["items"].toArray();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1].toObject()["server"].toObject()["URL"].toString(), "http://x.example/[&symbol]");
    EXPECT_EQ(items[1].toObject()["server"].toObject()["name"].toString(), "");
}
