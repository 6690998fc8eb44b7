// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/model/PortfolioFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QStringList kNoDisplay = {"TZ=UTC", "LC_ALL=C", "DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// Alpha and Beta with quotations, and the invested-amount history, which prints only when named.
QString portfolio(const TestEnvironment& env)
{
    std::vector<PortfolioItem> items;
    for (const char* name : {"Alpha", "Beta"}) {
        PortfolioItem item = PortfolioItem::newItem(name, localTime(2024, 1, 1), unsigned(items.size() + 1));
        item.quotations = {{localTime(2024, 3, 1), 10}, {localTime(2024, 3, 5), 12}, {localTime(2024, 4, 1), 11}};
        items.push_back(item);
    }
    items.push_back(PortfolioItem::newInvestedAmountHistory(localTime(2024, 1, 1)));
    const std::string path = env.path("depot.tkr");
    const Status saved = PortfolioFile::save(path, items);
    EXPECT_TRUE(saved) << saved.message();
    return q(path);
}

QString outputOf(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(PrintCli, WritesThePrintoutOfTheChosenItems)
{
    TestEnvironment env;
    const QString file = portfolio(env);
    struct Case {
        QStringList options;
        QString pages;
        QStringList shown;
        QStringList hidden;
    };
    // One item prints its chart alone; several their comparison and then their figures.
    const std::vector<Case> cases{
        {{},
         "Pages: 2 Encrypted: no Page size: 842 x 595 pts (A4)",
         {"depot.tkr (", "Alpha -", "Beta -"},
         {"Invested Amount History"}},
        {{"--items", "Beta", "--page", "Letter"},
         "Pages: 1 Encrypted: no Page size: 792 x 612 pts (letter)",
         {"Beta (03/01/24-04/01/24)"},
         {"Alpha"}},
        {{"--items", "Beta, Invested Amount History,Alpha"},
         "Pages: 2",
         {"Alpha -", "Beta -", "Invested Amount History"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const QString pdf = q(env.path("report.pdf"));
        const CliResult result = runCli(QStringList{"print", file, pdf} + c.options, kNoDisplay);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out + result.err, "");
        const QString info = outputOf("pdfinfo", {pdf}).simplified();
        EXPECT_TRUE(info.contains(c.pages)) << info.toStdString();
        const QString text = outputOf("pdftotext", {"-layout", pdf, "-"});
        for (const QString& shown : c.shown)
            EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << "\n" << text.toStdString();
        for (const QString& hidden : c.hidden)
            EXPECT_FALSE(text.contains(hidden)) << hidden.toStdString();
    }
}

TEST(PrintCli, RefusalsLeaveNothingBehind)
{
    TestEnvironment env;
    const QString file = portfolio(env);
    const std::string fifo = env.path("fifo.pdf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const QString pdf = q(env.path("x.pdf"));
    struct Case {
        QStringList args;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases{
        {{file, pdf, "--items", "Gamma"}, 2, "There is no item named \"Gamma\"."},
        {{file, pdf, "--page", "A3"}, 2, "print: --page takes A4 or Letter."},
        {{file, q(env.path("x.png"))}, 2, "print: OUT.pdf must end in .pdf."},
        {{file}, 2, "print: wrong number of arguments."},
        {{file, q(fifo)}, 3, fifo + " is not a regular file."},
        {{q(env.path("none.tkr")), pdf}, 3, ""},
        {{file, q(env.path("missing/x.pdf"))}, 3, "File could not be saved: "},
    };
    for (const Case& c : cases) {
        const CliResult result = runCli(QStringList{"print"} + c.args, kNoDisplay);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(QDir(q(env.path(""))).entryList({"*.pdf*", "*.png*"}, QDir::Files), QStringList());
}
