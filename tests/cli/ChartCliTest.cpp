// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/model/PortfolioFile.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// No display of any kind: the command chooses its platform itself.
const QStringList kNoDisplay = {"TZ=UTC", "LC_ALL=C", "DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};

std::string portfolio(const TestEnvironment& env)
{
    std::vector<PortfolioItem> items;
    for (const char* name : {"Alpha", "Beta"}) {
        PortfolioItem item = PortfolioItem::newItem(name, localTime(2024, 1, 1), unsigned(items.size() + 1));
        item.quotations = {{localTime(2024, 3, 1), 10}, {localTime(2024, 3, 5), 12}, {localTime(2024, 4, 1), 11}};
        items.push_back(item);
    }
    const std::string path = env.path("chart.tkr");
    const Status saved = PortfolioFile::save(path, items);
    EXPECT_TRUE(saved) << saved.message();
    return path;
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TEST(ChartCli, WritesPicturesDrawingsAndPages)
{
    TestEnvironment env;
    const QString file = q(portfolio(env));
    const QString png = q(env.path("single.png"));
    CliResult result = runCli({"chart", file, "Alpha", png}, kNoDisplay);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(QImage(png).size(), QSize(1600, 600));

    const QString comparison = q(env.path("both.png"));
    result =
        runCli({"chart", file, "Alpha", "Beta", comparison, "--size", "800x300", "--from", "2024-03-02"}, kNoDisplay);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(QImage(comparison).size(), QSize(800, 300));

    const std::string svg = env.path("single.svg");
    ASSERT_EQ(runCli({"chart", file, "Alpha", q(svg), "--to", "2024-03-31"}, kNoDisplay).exitCode, 0);
    EXPECT_NE(readFileBytes(svg).find("<svg"), std::string::npos);

    const QString pdf = q(env.path("single.pdf"));
    ASSERT_EQ(runCli({"chart", file, "Alpha", pdf}, kNoDisplay).exitCode, 0);
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {pdf});
    ASSERT_TRUE(pdfinfo.waitForFinished(30000));
    EXPECT_NE(pdfinfo.readAllStandardOutput().indexOf("Pages:           1"), -1);
}

TEST(ChartCli, Refusals)
{
    TestEnvironment env;
    const QString file = q(portfolio(env));
    struct Case {
        QStringList args;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"chart", file, "Gamma", q(env.path("x.png"))}, 2, "There is no item named \"Gamma\"."},
        {{"chart", file, "Alpha", q(env.path("missing/x.png"))}, 3, "File could not be saved: "},
        {{"chart", file, "Alpha", q(env.path("x.pdf")) + "/x.pdf"}, 3, "File could not be saved: "},
        {{"chart", file, "Alpha", q(env.path("x.gif"))}, 2, "OUT must end in .png, .svg or .pdf"},
        {{"chart", file, "Alpha", q(env.path("x.png")), "--size", "0x10"}, 2, "--size takes WxH"},
        {{"chart", file, "Alpha", q(env.path("x.png")), "--from", "2024-13-01"}, 2, "--from takes YYYY-MM-DD"},
        {{"chart", q(env.path("none.tkr")), "Alpha", q(env.path("x.png"))}, 3, ""},
        {{"chart", file, q(env.path("x.png"))}, 2, "wrong number of arguments"},
    };
    for (const Case& c : cases) {
        const CliResult result = runCli(c.args, kNoDisplay);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(QFile::exists(q(env.path("x.png"))));
}

TEST(ChartCli, OnlyRegularFilesAreWrittenAndNothingIsLeftBehind)
{
    TestEnvironment env;
    const QString file = q(portfolio(env));
    const std::string fifo = env.path("fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string temp = env.path("tmp");
    ASSERT_TRUE(QDir().mkpath(q(temp)));
    const QStringList environment = kNoDisplay + QStringList{"TMPDIR=" + q(temp), "XDG_RUNTIME_DIR="};
    CliResult result = runCli({"chart", file, "Alpha", q(fifo)}, environment);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, fifo + " is not a regular file.\n");

    result = runCli({"chart", file, "Alpha", q(env.path("vanished/x.png"))}, environment);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "File could not be saved: No such file or directory\n");

    const std::string png = env.writeFile("old.png", "old picture");
    ASSERT_EQ(runCli({"chart", file, "Alpha", q(png)}, environment).exitCode, 0);
    EXPECT_EQ(QImage(q(png)).size(), QSize(1600, 600));
    EXPECT_EQ(QDir(q(temp)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    EXPECT_EQ(QDir(q(env.path(""))).entryList({"old.png*"}, QDir::Files), QStringList{"old.png"});
}

// The axis of the reported history: at 800x400 it once stopped after "87.50%".
TEST(ChartCli, ThePercentAxisReachesTheTop)
{
    TestEnvironment env;
    PortfolioItem item = PortfolioItem::newItem("Alpha", localTime(2026, 1, 1), 1);
    item.quotations = {
        {localTime(2026, 9, 1, 20), 100}, {localTime(2026, 9, 23, 20), 84}, {localTime(2026, 10, 23, 20), 107}};
    const std::string file = env.path("axis.tkr");
    ASSERT_TRUE(PortfolioFile::save(file, {item}));
    const std::string svg = env.path("axis.svg");
    const CliResult result = runCli({"chart", q(file), "Alpha", q(svg), "--size", "800x400"}, kNoDisplay);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string drawing = readFileBytes(svg);
    for (const char* label : {">85.00%<", ">90.00%<", ">95.00%<", ">100.00%<", ">105.00%<"})
        EXPECT_NE(drawing.find(label), std::string::npos) << label;
}
