// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "DownloadTestSupport.h"
#include "StatusOutcome.h"
#include "core/base/FileReader.h"
#include "core/extract/JsonRule.h"
#include "core/model/PortfolioDocument.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <csignal>

namespace {

class UpdateCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testServer(); }

    UpdateCommandTest() : m_temp(m_env)
    {
        TestEnvironment::setTimeZone("UTC");
        testServer().addPage("/cli/a.html", "Price 12345");
        testServer().addPage("/cli/b.html", "Price 7.5");
        testServer().addPage("/cli/c.html", "nothing here");
    }

    std::string portfolio()
    {
        PortfolioDocument doc;
        doc.newPortfolio();
        add(doc, "Alpha", "/cli/a.html", {{1000, 123.45}});
        add(doc, "Beta", "/cli/b.html", {});
        add(doc, "Gamma", "/cli/c.html", {});
        std::string error;
        const std::string path = m_env.path("p.tkr");
        EXPECT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
        return path;
    }

    static void add(PortfolioDocument& doc, const std::string& name, const std::string& path,
                    std::vector<Quotation> history)
    {
        PortfolioItem item = PortfolioItem::newItem(name, 0, 0);
        item.server = standardRules(testServer().url(path), "Price");
        item.server.name = ServerConfig::kUserDefinedName;
        item.quotations = std::move(history);
        doc.addItem(item);
    }

    TestEnvironment m_env;
    PrivateTempFolder m_temp;
};

TEST_F(UpdateCommandTest, UpdatePrintsEveryItemStoresAndReportsTheFailure)
{
    const std::string path = portfolio();
    const CliResult result = runCli({"update", QString::fromStdString(path), "--downloads", "1"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("Alpha: Initialized\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Alpha: 123.4500\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Beta: 7.5000\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Gamma: Error: Text not found!\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Invested"), std::string::npos);
    EXPECT_TRUE(m_temp.files().isEmpty()) << "failed pages are not left behind";

    PortfolioDocument doc;
    std::string error;
    ASSERT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
    EXPECT_EQ(doc.item(1).quotations.size(), 2u);
    EXPECT_DOUBLE_EQ(doc.item(1).quotations.back().value, 123.45);
    EXPECT_DOUBLE_EQ(doc.item(2).quotations.at(0).value, 7.5);
    EXPECT_TRUE(doc.item(3).quotations.empty());
}

// The HTTP library is loaded with the first download; a broken one fails the downloads with the reason.
TEST_F(UpdateCommandTest, WithoutAWorkingHttpLibraryDownloadsFailWithTheReasonAndNothingIsLost)
{
    const std::string path = portfolio();
    const std::string libraries = m_env.path("libs");
    QDir().mkpath(QString::fromStdString(libraries));
    m_env.writeFile("libs/libcurl.so.4", "not a library");
    const CliResult result = runCli({"update", QString::fromStdString(path), "--items", "Beta"},
                                    {QString::fromStdString("LD_LIBRARY_PATH=" + libraries)});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("Beta: Error: Download failed! (libcurl could not be loaded: "), std::string::npos)
        << result.out;
    PortfolioDocument doc;
    std::string error;
    ASSERT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
    EXPECT_TRUE(doc.item(2).quotations.empty());
    EXPECT_EQ(doc.item(1).quotations.size(), 1u) << "the other items keep their histories";
}

TEST_F(UpdateCommandTest, DownloadLogCategoryPrintsEachRequestWhenEnabled)
{
    const std::string path = portfolio();
    const QString file = QString::fromStdString(path);
    const CliResult quiet = runCli({"update", file, "--items", "Beta"});
    EXPECT_EQ(quiet.err.find("tickora.download"), std::string::npos) << quiet.err;

    const CliResult logged =
        runCli({"update", file, "--items", "Beta"}, {"QT_LOGGING_RULES=tickora.download.debug=true"});
    EXPECT_EQ(logged.exitCode, 0) << logged.err;
    EXPECT_EQ(logged.out, quiet.out) << "the log goes to stderr only";
    const std::string line = "tickora.download: " + testServer().url("/cli/b.html") + " -> read HTTP 200 9 bytes ";
    const size_t at = logged.err.find(line);
    ASSERT_NE(at, std::string::npos) << logged.err;
    EXPECT_NE(logged.err.find(" ms", at + line.size()), std::string::npos) << logged.err;
}

TEST_F(UpdateCommandTest, ASignalAbortsTheRestSavesWhatWasStoredAndLeavesNoPages)
{
    for (const auto& [signal, exitCode] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        PortfolioDocument doc;
        doc.newPortfolio();
        add(doc, "Fast", "/cli/b.html", {});
        for (const std::string number : {"1", "2", "3"})
            add(doc, "Slow " + number, "/slow?bytes=100000&chunk=100&interval=0.5&n=" + number, {});
        std::string error;
        const std::string path = m_env.path("signal.tkr");
        ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;

        QProcess process;
        process.start(QStringLiteral(TICKORA_CLI_PATH), {"update", QString::fromStdString(path), "--downloads", "4"});
        ASSERT_TRUE(process.waitForStarted());
        QByteArray out;
        while (!out.contains("Fast: 7.5000\n") && process.waitForReadyRead(20000))
            out += process.readAllStandardOutput();
        ASSERT_TRUE(out.contains("Fast: 7.5000\n")) << out.toStdString();
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(20000));
        out += process.readAllStandardOutput();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), exitCode) << out.toStdString();
        EXPECT_TRUE(out.contains("Slow 3: Download aborted!\n")) << out.toStdString();
        EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(' ').toStdString();
        ASSERT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
        EXPECT_DOUBLE_EQ(doc.item(1).quotations.at(0).value, 7.5);
    }
}

TEST_F(UpdateCommandTest, AQuotationDatedPast2038FailsAloneAndTheOthersAreSaved)
{
    testServer().addPage("/cli/future.html", "Price 20.5 on 01.01.2040");
    PortfolioDocument doc;
    doc.newPortfolio();
    add(doc, "Beta", "/cli/b.html", {});
    PortfolioItem future = PortfolioItem::newItem("Future", 0, 0);
    future.server = standardRules(testServer().url("/cli/future.html"), "Price");
    future.server.name = ServerConfig::kUserDefinedName;
    future.server.Filtering = 1;
    future.server.RegExp = "Price ([0-9.]+) on ([0-9]+)\\.([0-9]+)\\.([0-9]+)";
    future.server.bRegExpExtractDate = 1;
    doc.addItem(future);
    std::string error;
    const std::string path = m_env.path("future.tkr");
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;

    const CliResult result = runCli({"update", QString::fromStdString(path)});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("Future: Error: Date outside 1901-12-13 to 2038-01-19!\n"), std::string::npos)
        << result.out;
    ASSERT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
    EXPECT_DOUBLE_EQ(doc.item(1).quotations.at(0).value, 7.5);
    EXPECT_TRUE(doc.item(2).quotations.empty());
}

TEST_F(UpdateCommandTest, JsonRulesReadTheAnswerOrSayWhyNot)
{
    const std::optional<std::string> answer =
        readWholeFile(std::string(TICKORA_REALDATA_DIR) + "/yahoo_chart_tsla.json");
    ASSERT_TRUE(answer);
    testServer().addPage("/json/chart.json", *answer);
    testServer().addPage("/json/page.html", "<html>12.5</html>");
    PortfolioDocument doc;
    doc.newPortfolio();
    const struct {
        const char* name;
        const char* page;
        JsonRule paths;
    } items[] = {
        {"TSLA",
         "/json/chart.json",
         {"$.chart.result[0].meta.regularMarketPrice", "$.chart.result[0].meta.regularMarketTime", ""}},
        {"Moved", "/json/chart.json", {"$.chart.result[0].meta.price", "", ""}},
        {"Html", "/json/page.html", {"$.price", "", ""}},
        {"Text", "/json/chart.json", {"$.chart.result[0].meta.currency", "", ""}},
    };
    for (const auto& item : items) {
        PortfolioItem added = PortfolioItem::newItem(item.name, 0, 0);
        added.server = standardRules(testServer().url(item.page), "");
        added.server.name = ServerConfig::kUserDefinedName;
        added.server.Filtering = 1;
        added.server.Format = 0;
        added.server.DECIMAL = ".";
        added.server.RegExp = item.paths.encode();
        doc.addItem(added);
    }
    std::string error;
    const std::string path = m_env.path("json.tkr");
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;

    const CliResult result = runCli({"update", QString::fromStdString(path), "--downloads", "1"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    for (const char* line : {"TSLA: 230.2900\n", "Moved: Error: JSON path not found! ($.chart.result[0].meta)\n",
                             "Html: Error: Page is not JSON! (byte 1)\n", "Text: Error: Invalid value!\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line << result.out;
    }
    const CliResult tested = runCli({"test", QString::fromStdString(path), "Moved"});
    EXPECT_EQ(tested.exitCode, 1);
    EXPECT_EQ(tested.out, "Quotation for 'Moved' not found!\nError: JSON path not found! ($.chart.result[0].meta)\n");
    ASSERT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
    ASSERT_EQ(doc.item(1).quotations.size(), 1u);
    EXPECT_EQ(doc.item(1).quotations[0], (Quotation{1726257600, 230.29}));
    EXPECT_TRUE(doc.item(2).quotations.empty());
    EXPECT_TRUE(m_temp.files().isEmpty());
}

TEST_F(UpdateCommandTest, QuietNamedItemsAndUsageErrors)
{
    const std::string path = portfolio();
    const QString file = QString::fromStdString(path);
    CliResult result = runCli({"update", file, "--items", "Beta", "--quiet"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    result = runCli({"update", file, "--items", "Gamma,Beta", "--quiet"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Gamma: Error: Text not found!\n");

    EXPECT_EQ(runCli({"update", file, "--items", "beta"}).exitCode, 2);
    EXPECT_EQ(runCli({"update", file, "--downloads", "0"}).exitCode, 2);
    EXPECT_EQ(runCli({"update", file, "--date", "yesterday"}).exitCode, 2);
    EXPECT_EQ(runCli({"update", QString::fromStdString(m_env.path("none.tkr"))}).exitCode, 3);
}

// The portfolio is saved before the rule health is written; a failure of the one is told, the other still done.
TEST_F(UpdateCommandTest, AnUnwritableSettingsFileIsToldAndThePortfolioStillSaved)
{
    const std::string path = portfolio();
    const std::string unwritable = m_env.writeFile("plain", "x") + "/settings.ini";
    const CliResult result = runCli({"update", QString::fromStdString(path), "--items", "Beta", "--quiet"},
                                    {"TICKORA_SETTINGS=" + QString::fromStdString(unwritable)});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "The rule health could not be stored.\n");
    PortfolioDocument doc;
    std::string error;
    ASSERT_TRUE(succeeded(doc.openPortfolio(path), error)) << error;
    EXPECT_EQ(doc.item(2).quotations.size(), 1u);
}

TEST_F(UpdateCommandTest, NothingDueEndsAtOnceWithoutSaving)
{
    PortfolioDocument doc;
    doc.newPortfolio();
    std::string error;
    const std::string path = m_env.path("empty.tkr");
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error));
    const std::string before = readFileBytes(path);
    const CliResult result = runCli({"update", QString::fromStdString(path)});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(UpdateCommandTest, TestCommandShowsTheMessageAndStoresNothing)
{
    const std::string path = portfolio();
    const std::string before = readFileBytes(path);
    CliResult result = runCli({"test", QString::fromStdString(path), "Beta"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("Quotation for 'Beta':\nValue: 7.5000\nDate/Time: ", 0), 0u) << result.out;
    result = runCli({"test", QString::fromStdString(path), "Gamma"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Quotation for 'Gamma' not found!\n\n");
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_EQ(runCli({"test", QString::fromStdString(path), "Delta"}).exitCode, 2);
    EXPECT_EQ(runCli({"test", "--server", "No such server", "--symbol", "X"}).exitCode, 2);
    EXPECT_TRUE(m_temp.files().isEmpty());
}

TEST_F(UpdateCommandTest, TransferFailuresPrintTheDocumentedTextsAndLogTheLibrarysWords)
{
    PortfolioDocument doc;
    doc.newPortfolio();
    for (const auto& [name, url] : {std::pair{"Closed", std::string("http://127.0.0.1:1/q.html")},
                                    std::pair{"Damaged", testServer().url("/damaged")},
                                    std::pair{"Cut", testServer().url("/gzip?text=Price%201.5&cut=4")}}) {
        PortfolioItem item = PortfolioItem::newItem(name, 0, 0);
        item.server = standardRules(url, "Price");
        item.server.name = ServerConfig::kUserDefinedName;
        doc.addItem(item);
    }
    std::string error;
    const std::string path = m_env.path("failing.tkr");
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
    const QString file = QString::fromStdString(path);

    const CliResult tested = runCli({"test", file, "Closed"});
    EXPECT_EQ(tested.exitCode, 1);
    EXPECT_EQ(tested.out, "Download error:\nItem: Closed\nURL: http://127.0.0.1:1/q.html\nError: No connection!\n");
    const CliResult updated = runCli({"update", file, "--downloads", "1"});
    EXPECT_EQ(updated.exitCode, 1);
    for (const char* line :
         {"Closed: Error: No connection!\n", "Damaged: Error: Download failed! (damaged compressed data)\n",
          "Cut: Error: Download incomplete!\n"})
        EXPECT_NE(updated.out.find(line), std::string::npos) << line << updated.out;
    EXPECT_EQ(updated.out.find("onnect to"), std::string::npos) << updated.out;
    EXPECT_EQ(updated.err.find("onnect to"), std::string::npos) << updated.err;

    const CliResult logged = runCli({"test", file, "Closed"}, {"QT_LOGGING_RULES=tickora.download.debug=true"});
    EXPECT_EQ(logged.out, tested.out);
    EXPECT_NE(logged.err.find("Failed to connect to 127.0.0.1 port 1"), std::string::npos) << logged.err;
}

} // namespace

TEST_F(UpdateCommandTest, TheItemTimeoutAndAnAbortEndASlowExtraction)
{
    // Runs of digits that each start position splits every way: far over a minute of matching unbounded,
    // and 8.5 s by the page's own budget.
    const std::string run = "123456789" + std::string(1491, '0') + "x";
    std::string page;
    while (page.size() < 16 * 1024 * 1024)
        page += run;
    testServer().addPage("/cli/digits.html", page + "P");
    const auto portfolioWithTimeout = [&](int timeout) {
        PortfolioDocument doc;
        doc.newPortfolio();
        PortfolioItem slow = PortfolioItem::newItem("Slow", 0, 0);
        slow.server = standardRules(testServer().url("/cli/digits.html"), "", timeout);
        slow.server.name = ServerConfig::kUserDefinedName;
        slow.server.Filtering = 1;
        slow.server.RegExp = "([0-9]+)([0-9]+)P";
        doc.addItem(slow);
        std::string error;
        const std::string path = m_env.path("slow.tkr");
        EXPECT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
        return QString::fromStdString(path);
    };

    const CliResult timedOut = runCli({"update", portfolioWithTimeout(2)});
    EXPECT_EQ(timedOut.exitCode, 1) << timedOut.err;
    EXPECT_NE(timedOut.out.find("Slow: Error: Timeout!\n"), std::string::npos) << timedOut.out;

    QProcess process;
    process.start(QStringLiteral(TICKORA_CLI_PATH), {"update", portfolioWithTimeout(600)});
    ASSERT_TRUE(process.waitForStarted());
    // By then the page is read and the matching under way.
    process.waitForFinished(3000);
    ASSERT_EQ(process.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    // Far less than what is left of the budget; the abort itself takes a fraction of a second.
    ASSERT_TRUE(process.waitForFinished(4000));
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_TRUE(process.readAllStandardOutput().contains("Slow: Download aborted!\n"));
}
