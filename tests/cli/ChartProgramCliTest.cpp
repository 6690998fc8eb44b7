// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// The program at `program`, which need not be the build's tickora-cli, in English.
CliResult runProgram(const QString& program, const QStringList& args)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    process.setProcessEnvironment(environment);
    process.start(program, args);
    CliResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

} // namespace

// Only the drawing program pays for loading Qt Gui and Qt Svg.
TEST(ChartProgram, OnlyTheDrawingProgramLinksGuiAndSvg)
{
    const QString cli = QStringLiteral(TICKORA_CLI_PATH);
    const QString chart = QFileInfo(cli).dir().filePath("tickora-chart");
    struct Case {
        QString program;
        bool drawing;
    };
    for (const Case& c : {Case{cli, false}, Case{chart, true}}) {
        SCOPED_TRACE(c.program.toStdString());
        const CliResult ldd = runProgram("ldd", {c.program});
        ASSERT_EQ(ldd.exitCode, 0) << ldd.err;
        EXPECT_NE(ldd.out.find("libQt6Core.so"), std::string::npos) << ldd.out;
        EXPECT_EQ(ldd.out.find("libQt6Gui.so") != std::string::npos, c.drawing) << ldd.out;
        EXPECT_EQ(ldd.out.find("libQt6Svg.so") != std::string::npos, c.drawing) << ldd.out;
    }
}

TEST(ChartProgram, MissingDrawingProgramIsAFileError)
{
    TestEnvironment env;
    const QString alone = QString::fromStdString(env.path("alone"));
    ASSERT_TRUE(QDir().mkpath(alone));
    const QString cli = alone + "/tickora-cli";
    ASSERT_TRUE(QFile::copy(QStringLiteral(TICKORA_CLI_PATH), cli));
    const QString out = QString::fromStdString(env.path("x.png"));
    const CliResult result = runProgram(cli, {"chart", QString::fromStdString(env.path("p.tkr")), "Alpha", out});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out, "");
    const std::string prefix = "tickora-cli chart: the chart drawing program could not be started: ";
    EXPECT_EQ(result.err.substr(0, prefix.size()), prefix) << result.err;
    const std::string reason = "/tickora-chart: No such file or directory\n";
    ASSERT_GT(result.err.size(), reason.size());
    EXPECT_EQ(result.err.substr(result.err.size() - reason.size()), reason) << result.err;
    EXPECT_FALSE(QFile::exists(out));
}
