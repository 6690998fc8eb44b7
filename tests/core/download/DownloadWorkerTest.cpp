// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"

#include "core/base/UrlVariables.h"
#include "core/download/DownloadWorker.h"
#include "core/download/HttpTransfer.h"
#include "core/extract/JsonRule.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using Kind = DownloadEventKind;
using Code = DownloadErrorCode;

namespace {

class DownloadWorkerTest : public ::testing::Test {
protected:
    DownloadWorkerTest() : m_temp(m_env) { TestEnvironment::setTimeZone("UTC"); }

    // Started before any test points TMPDIR elsewhere, so its folders outlive every test.
    static void SetUpTestSuite() { testServer(); }
    HttpTestServer& server() { return testServer(); }

    TestEnvironment m_env;
    PrivateTempFolder m_temp;
};

const std::string kListPage = "<html><table><tr><td>Alpha</td><td>12.50</td></tr>"
                              "<tr><td>Beta</td><td>7.25</td></tr><tr><td>Gamma</td><td>1,234.5</td></tr></table>";

TEST_F(DownloadWorkerTest, OnePageServesEveryItemOfTheJobWithOneRequest)
{
    server().addPage("/list/funds.html", kListPage);
    const std::string url = server().url("/list/funds.html");
    auto job = jobFor(url,
                      {taskFor("Alpha", standardRules(url, "Alpha"), 1), taskFor("Beta", standardRules(url, "Beta"), 2),
                       taskFor("Gamma", standardRules(url, "Gamma"), 3)});
    job->dateTime = 0;
    auto events = runJob(std::move(job));

    EXPECT_EQ(kindsOf(events),
              (std::vector<Kind>{Kind::Started, Kind::Started, Kind::Started, Kind::Connecting, Kind::Connecting,
                                 Kind::Connecting, Kind::Connected, Kind::Connected, Kind::Connected, Kind::Result,
                                 Kind::Result, Kind::Result}));
    const auto finals = finalEvents(std::move(events));
    ASSERT_EQ(finals.size(), 3u);
    EXPECT_EQ(finals[0].itemName, "Alpha");
    EXPECT_EQ(finals[0].itemRef, 1u);
    EXPECT_DOUBLE_EQ(finals[0].quotation->value, 12.5);
    EXPECT_DOUBLE_EQ(finals[1].quotation->value, 7.25);
    EXPECT_DOUBLE_EQ(finals[2].quotation->value, 1234.5);
    EXPECT_EQ(finals[0].quotation->time, finals[2].quotation->time);
    EXPECT_NEAR(static_cast<double>(finals[0].quotation->time), static_cast<double>(std::time(nullptr)), 5);
    EXPECT_EQ(server().requestCount("/list/funds.html"), 1);
    EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(",").toStdString();
}

TEST_F(DownloadWorkerTest, RequestAsksForTextAndNamesTheProgram)
{
    const std::string url = server().url("/headers");
    auto events = runJob(jobFor(url, {taskFor("H", standardRules(url, "no such text"))}));
    auto finals = finalEvents(std::move(events));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].kind, Kind::TextNotFound) << finals[0].statusText();
    ASSERT_FALSE(finals[0].convertedFile.empty());
    std::string page;
    {
        QFile file(QString::fromStdString(finals[0].convertedFile.path()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        page = file.readAll().toStdString();
    }
    EXPECT_NE(page.find("Accept: text/*"), std::string::npos) << page;
    EXPECT_NE(page.find("User-Agent: Tickora"), std::string::npos) << page;
    finals.clear();
    EXPECT_TRUE(m_temp.files().isEmpty());
}

TEST_F(DownloadWorkerTest, MissingPageWithoutGivenDateIsTriedOnce)
{
    const std::string url = server().url("/once/q[&d].html");
    auto events = runJob(jobFor(url, {taskFor("A", standardRules(url, "x"))}));
    const auto finals = finalEvents(std::move(events));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].kind, Kind::DownloadError);
    EXPECT_EQ(finals[0].code, Code::NotFound);
    time_t now = std::time(nullptr);
    const std::string expected = UrlVariables::substituteDateVariables("/once/q[&d].html", now, 0).text;
    EXPECT_EQ(finals[0].statusText(), "Error: File not found: " + expected);
    int tries = 0;
    for (const std::string& path : server().requests())
        tries += path.rfind("/once/", 0) == 0;
    EXPECT_EQ(tries, 1);
}

TEST_F(DownloadWorkerTest, GivenDateLooksBackToThePageOfTheDayBefore)
{
    const time_t given = localTime(2004, 3, 1, 20, 0, 0);
    server().addPage("/daily/q29.html", "Price 33.5");
    const std::string url = server().url("/daily/q[&d].html");
    auto job = jobFor(url, {taskFor("A", standardRules(url, "Price"))});
    job->dateGiven = true;
    job->dateTime = given;
    const auto finals = finalEvents(runJob(std::move(job)));
    ASSERT_EQ(finals.size(), 1u);
    ASSERT_EQ(finals[0].kind, Kind::Result) << finals[0].statusText();
    EXPECT_DOUBLE_EQ(finals[0].quotation->value, 33.5);
    EXPECT_EQ(finals[0].quotation->time, given);
    EXPECT_EQ(server().requestCount("/daily/q01.html"), 1);
    EXPECT_EQ(server().requestCount("/daily/q29.html"), 1);
}

TEST_F(DownloadWorkerTest, GivenDateWithoutShiftableVariableTriesTheSameAddressFourTimes)
{
    const std::string url = server().url("/yearly/q[&y].html");
    auto job = jobFor(url, {taskFor("A", standardRules(url, "Price"))});
    job->dateGiven = true;
    job->dateTime = localTime(2004, 3, 1, 20);
    const auto finals = finalEvents(runJob(std::move(job)));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].code, Code::NotFound);
    EXPECT_EQ(finals[0].statusText(), "Error: File not found: /yearly/q2004.html");
    EXPECT_EQ(server().requestCount("/yearly/q2004.html"), 4);
}

TEST_F(DownloadWorkerTest, HttpErrorsMapToTheirCodesWithoutFurtherTries)
{
    struct Case {
        int status;
        Code code;
        const char* text;
    };
    for (const Case& c :
         {Case{500, Code::ServerError, "Error: Server!"}, Case{503, Code::ServerError, "Error: Server!"},
          Case{403, Code::ClientError, "Error: Bad URL!"}, Case{304, Code::Failure, ""}}) {
        const std::string path = "/status/" + std::to_string(c.status);
        auto job = jobFor(server().url(path + "?d=[&d]"), {taskFor("A", standardRules("", "x"))});
        job->dateGiven = true;
        job->dateTime = localTime(2004, 3, 1, 20);
        auto events = runJob(std::move(job));
        const auto kinds = kindsOf(events);
        const auto finals = finalEvents(std::move(events));
        ASSERT_EQ(finals.size(), 1u) << c.status;
        EXPECT_EQ(finals[0].code, c.code) << c.status;
        EXPECT_EQ(finals[0].statusText(), c.text) << c.status;
        EXPECT_EQ(finals[0].url, server().url(path + "?d=01")) << c.status;
        EXPECT_EQ(server().requestCount(path + "?d=01"), 1) << c.status;
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), Kind::Connected), 0);
    }
}

TEST_F(DownloadWorkerTest, SlowBodyPastTheTimeoutLeavesNoTemporaryFile)
{
    const std::string url = server().url("/slow?bytes=3000&chunk=50&interval=0.2");
    auto events = runJob(jobFor(url, {taskFor("A", standardRules(url, "x"))}, 1));
    EXPECT_EQ(kindsOf(events)[2], Kind::Connected);
    const auto finals = finalEvents(std::move(events));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].code, Code::Timeout);
    EXPECT_EQ(finals[0].statusText(), "Error: Timeout!");
    EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(",").toStdString();
}

TEST_F(DownloadWorkerTest, ProgressIsReportedPerThousandBytes)
{
    server().addPage("/progress/p2500.html", "Price 42.0 " + std::string(2489, 'x'));
    const std::string url = server().url("/progress/p2500.html");
    auto events = runJob(jobFor(url, {taskFor("A", standardRules(url, "Price"))}));
    std::vector<int> kilobytes;
    for (const DownloadEvent& event : events)
        if (event.kind == Kind::Progress) {
            kilobytes.push_back(event.kilobytes);
            EXPECT_EQ(event.statusText(), "Download " + std::to_string(event.kilobytes) + " KB");
        }
    EXPECT_EQ(kilobytes, (std::vector<int>{1, 2}));
    EXPECT_EQ(events.back().kind, Kind::Result);
}

TEST_F(DownloadWorkerTest, RedirectsAreFollowedToHttpOnly)
{
    server().addPage("/moved/target.html", "Price 8.75");
    const std::string target = server().url("/moved/target.html");
    const std::string url = server().url("/redirect?to=" + target);
    auto finals = finalEvents(runJob(jobFor(url, {taskFor("A", standardRules(url, "Price"))})));
    ASSERT_EQ(finals.size(), 1u);
    ASSERT_EQ(finals[0].kind, Kind::Result) << finals[0].statusText();
    EXPECT_DOUBLE_EQ(finals[0].quotation->value, 8.75);

    const std::string toMissing = server().url("/redirect?to=" + server().url("/moved/none.html"));
    finals = finalEvents(runJob(jobFor(toMissing, {taskFor("A", standardRules(url, "Price"))})));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].code, Code::NotFound);

    const std::string toFile = server().url("/redirect?to=file:///etc/hostname");
    finals = finalEvents(runJob(jobFor(toFile, {taskFor("A", standardRules(url, "Price"))})));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].code, Code::Failure);
    EXPECT_FALSE(finals[0].errorText.empty());
}

TEST_F(DownloadWorkerTest, HttpsIsVerifiedAgainstTheTrustedCaFile)
{
    server().addPage("/tls/page.html", "Price 99.5");
    const std::string url = server().httpsUrl("/tls/page.html");

    qunsetenv("TICKORA_CA_FILE");
    auto finals = finalEvents(runJob(jobFor(url, {taskFor("A", standardRules(url, "Price"))})));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].code, Code::Failure);
    EXPECT_FALSE(finals[0].statusText().empty());

    qputenv("TICKORA_CA_FILE", QByteArray(server().trustedCaFile().c_str()));
    auto events = runJob(jobFor(url, {taskFor("A", standardRules(url, "Price"))}));
    qunsetenv("TICKORA_CA_FILE");
    EXPECT_EQ(kindsOf(events)[1], Kind::Connecting);
    finals = finalEvents(std::move(events));
    ASSERT_EQ(finals.size(), 1u);
    ASSERT_EQ(finals[0].kind, Kind::Result) << finals[0].statusText();
    EXPECT_DOUBLE_EQ(finals[0].quotation->value, 99.5);

    const auto missing = finalEvents(runJob(jobFor(server().httpsUrl("/tls/none.html"), {taskFor("A", {})})));
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].kind, Kind::DownloadError);
}

TEST_F(DownloadWorkerTest, OtherSchemesAndUnparsableAddressesAreWrongUrls)
{
    for (const std::string url : {"ftp://127.0.0.1/quotes.html", "gopher://127.0.0.1/", "no address at all", ""}) {
        auto events = runJob(jobFor(url, {taskFor("A", standardRules(url, "x"))}));
        EXPECT_EQ(kindsOf(events), (std::vector<Kind>{Kind::Started, Kind::DownloadError})) << url;
        EXPECT_EQ(events.back().code, Code::WrongUrl) << url;
        EXPECT_EQ(events.back().statusText(), "Error: Wrong URL!");
    }
}

TEST_F(DownloadWorkerTest, FilePagesHaveNoConnectingStep)
{
    const std::string path = m_env.writeFile("quote.html", "<b>Price</b> <i>17,25</i>");
    ServerConfig rules = standardRules("", "Price");
    rules.TAUSEND = ".";
    rules.DECIMAL = ",";
    auto events = runJob(jobFor("file://" + path, {taskFor("A", rules)}));
    EXPECT_EQ(kindsOf(events), (std::vector<Kind>{Kind::Started, Kind::Connected, Kind::Result}));
    EXPECT_DOUBLE_EQ(events.back().quotation->value, 17.25);

    events = runJob(jobFor("file://" + m_env.path("absent.html"), {taskFor("A", rules)}));
    EXPECT_EQ(kindsOf(events), (std::vector<Kind>{Kind::Started, Kind::DownloadError}));
    EXPECT_EQ(events.back().statusText(), "Error: File not found: " + m_env.path("absent.html"));
    EXPECT_FALSE(events.back().errorText.empty());
}

// Searched unconverted and converted: a page that is not UTF-8 is read as Windows-1252, a NUL byte as a blank.
TEST_F(DownloadWorkerTest, PagesNotInUtf8OrHoldingNulBytesAreSearchedInEveryForm)
{
    const std::string path = m_env.writeFile("latin.html", std::string("<b>Pr\xE4mie") + '\0' + " 17,25</b>");
    for (const int format : {0, 1, 2}) {
        ServerConfig rules = standardRules("", "PR\xC3\x84MIE");
        rules.Format = format;
        rules.TAUSEND = ".";
        rules.DECIMAL = ",";
        const auto finals = finalEvents(runJob(jobFor("file://" + path, {taskFor("A", rules)})));
        ASSERT_EQ(finals.size(), 1u);
        ASSERT_EQ(finals[0].kind, Kind::Result) << format << " " << finals[0].statusText();
        EXPECT_DOUBLE_EQ(finals[0].quotation->value, 17.25) << format;
        EXPECT_NE(finals[0].excerpt.find("pr\xC3\xA4mie"), std::string::npos) << format << " " << finals[0].excerpt;
    }
}

TEST_F(DownloadWorkerTest, NotFoundResultsHandTheConvertedPageToTheReceiver)
{
    server().addPage("/nf/page.html", "<p>Price</p><p>1 n/a</p>");
    const std::string url = server().url("/nf/page.html");
    ServerConfig skipTwo = standardRules(url, "Price");
    skipTwo.Numbers_before_Value = 2;
    auto finals = finalEvents(runJob(jobFor(url, {taskFor("A", skipTwo), taskFor("B", standardRules(url, "Volume"))})));
    ASSERT_EQ(finals.size(), 2u);
    EXPECT_EQ(finals[0].kind, Kind::QuotationNotFound);
    EXPECT_EQ(finals[0].statusText(), "Error: Quotation not found!! (EOF)");
    EXPECT_EQ(finals[1].kind, Kind::TextNotFound);
    EXPECT_EQ(finals[1].statusText(), "Error: Text not found!");
    for (const DownloadEvent& event : finals) {
        EXPECT_TRUE(QFile::exists(QString::fromStdString(event.convertedFile.path())));
        EXPECT_EQ(readFileBytes(event.convertedFile.path()), "Price 1 n/a ");
    }
    finals.clear();
    EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(",").toStdString();
}

TEST_F(DownloadWorkerTest, AbortInTheMiddleEndsEveryTaskWithAborted)
{
    auto queue = std::make_shared<EventQueue>();
    auto abort = std::make_shared<AbortSignal>();
    const std::string url = server().url("/slow?bytes=4000&chunk=100&interval=0.1");
    auto job = jobFor(url, {taskFor("A", standardRules(url, "x")), taskFor("B", standardRules(url, "x"))});
    job->receiver = queue;
    job->abort = abort;
    std::thread worker([job = std::move(job)]() mutable { runDownloadJob(std::move(job)); });
    std::vector<DownloadEvent> events;
    size_t finalCount = 0;
    while (auto event = queue->take(std::chrono::seconds(10))) {
        if (event->kind == Kind::Progress)
            abort->set();
        finalCount += event->isFinal();
        events.push_back(std::move(*event));
        if (finalCount == 2)
            break;
    }
    worker.join();
    const auto finals = finalEvents(std::move(events));
    ASSERT_EQ(finals.size(), 2u);
    EXPECT_EQ(finals[0].kind, Kind::Aborted);
    EXPECT_EQ(finals[1].kind, Kind::Aborted);
    EXPECT_EQ(finals[0].statusText(), "Download aborted!");
    EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(",").toStdString();
}

TEST_F(DownloadWorkerTest, AbortBeforeReadingStopsAfterConnected)
{
    server().addPage("/ab/page.html", "Price 1.5");
    auto job = jobFor(server().url("/ab/page.html"), {taskFor("A", standardRules("", "Price"))});
    job->abort = std::make_shared<AbortSignal>();
    job->abort->set();
    auto events = runJob(std::move(job));
    EXPECT_EQ(events.back().kind, Kind::Aborted);
    EXPECT_EQ(finalEvents(std::move(events)).size(), 1u);
}

TEST_F(DownloadWorkerTest, PagesLargerThan64MiBAreRefused)
{
    const std::string url = server().url("/large?bytes=" + std::to_string(64 * 1024 * 1024 + 10));
    auto finals = finalEvents(runJob(jobFor(url, {taskFor("A", standardRules(url, "x"))}, 120)));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].code, Code::Failure);
    EXPECT_EQ(finals[0].statusText(), "Error: Page larger than 64 MiB!");
    EXPECT_TRUE(m_temp.files().isEmpty());

    const std::string path = m_env.path("huge.html");
    {
        QFile huge(QString::fromStdString(path));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(64LL * 1024 * 1024 + 1));
    }
    finals = finalEvents(runJob(jobFor("file://" + path, {taskFor("A", standardRules("", "x"))}, 120)));
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].statusText(), "Error: Page larger than 64 MiB!");
    EXPECT_TRUE(m_temp.files().isEmpty());
}

TEST_F(DownloadWorkerTest, TransferFailuresSayWhatHappenedInTheDocumentedTexts)
{
    server().addPage("/tls/page.html", "Price 99.5");
    qunsetenv("TICKORA_CA_FILE");
    struct Case {
        std::string url;
        const char* text;
    };
    const Case cases[] = {
        // Nothing listens on port 1.
        {"http://127.0.0.1:1/quote.html", "Error: No connection!"},
        {server().url("/gzip?text=Price%2042.5&cut=4"), "Error: Download incomplete!"},
        {server().url("/gzip?text=Price%2042.5&cut=12"), "Error: Download incomplete!"},
        {server().url("/short?bytes=3000"), "Error: Download incomplete!"},
        {server().url("/damaged"), "Error: Download failed! (damaged compressed data)"},
        {server().url("/http09"), "Error: Download failed! (not an HTTP answer)"},
        {server().httpsUrl("/tls/page.html"), "Error: Download failed! (certificate not trusted)"},
    };
    for (const Case& c : cases) {
        const auto finals = finalEvents(runJob(jobFor(c.url, {taskFor("A", {}), taskFor("B", {})}, 10)));
        ASSERT_EQ(finals.size(), 2u) << c.url;
        EXPECT_EQ(finals[0].statusText(), c.text) << c.url;
        EXPECT_EQ(finals[1].statusText(), c.text) << c.url;
        EXPECT_EQ(finals[1].itemName, "B");
    }
    EXPECT_TRUE(m_temp.files().isEmpty());
}

TEST_F(DownloadWorkerTest, WizardAndRawJobsHandTheirFilesOver)
{
    server().addPage("/wiz/page.html", "a<b>c</b>d");
    auto wizard = jobFor(server().url("/wiz/page.html"), {}, DownloadJob::kHandOverTimeout);
    wizard->wizard = true;
    auto events = runJob(std::move(wizard));
    EXPECT_EQ(kindsOf(events), (std::vector<Kind>{Kind::Started, Kind::Connecting, Kind::Connected, Kind::Result}));
    const DownloadEvent& result = events.back();
    EXPECT_TRUE(result.itemName.empty());
    EXPECT_EQ(readFileBytes(result.rawFile.path()), "a<b>c</b>d");
    EXPECT_EQ(readFileBytes(result.semiFile.path()), "a<>c<>d");
    EXPECT_EQ(readFileBytes(result.convertedFile.path()), "a c d ");
    EXPECT_EQ(m_temp.files().size(), 3);
    events.clear();

    auto raw = jobFor(server().url("/wiz/page.html"), {}, DownloadJob::kHandOverTimeout);
    raw->raw = true;
    events = runJob(std::move(raw));
    EXPECT_EQ(readFileBytes(events.back().rawFile.path()), "a<b>c</b>d");
    EXPECT_TRUE(events.back().convertedFile.empty());
    EXPECT_TRUE(QFileInfo(QString::fromStdString(events.back().rawFile.path())).fileName().startsWith("TKR"));
    events.clear();
    EXPECT_TRUE(m_temp.files().isEmpty());
}

TEST_F(DownloadWorkerTest, BusyServersAreAskedOnceMoreAfterTheirRetryAfter)
{
    struct Case {
        const char* query;
        std::vector<int> waits;
        int requests;
        Kind kind;
        const char* text;
    };
    const Case cases[] = {
        {"code=429&refusals=1&after=1", {1}, 2, Kind::Result, ""},
        {"code=503&refusals=1&after=0", {0}, 2, Kind::Result, ""},
        {"code=429&refusals=1&after=Wed, 21 Oct 2015 07:28:00 GMT", {0}, 2, Kind::Result, ""},
        {"code=429&refusals=2&after=1", {1}, 2, Kind::DownloadError, "Error: Server busy!"},
        {"code=503&refusals=2&after=0", {0}, 2, Kind::DownloadError, "Error: Server!"},
        {"code=429&refusals=1", {}, 1, Kind::DownloadError, "Error: Server busy!"},
        {"code=503&refusals=1", {}, 1, Kind::DownloadError, "Error: Server!"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = "/busy/" + std::to_string(++n) + "?" + c.query;
        const std::string url = server().url(path);
        const auto start = std::chrono::steady_clock::now();
        auto events = runJob(jobFor(url, {taskFor("A", standardRules(url, "Price"))}));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        std::vector<int> waits;
        for (const DownloadEvent& event : events)
            if (event.kind == Kind::Waiting) {
                waits.push_back(event.seconds);
                EXPECT_EQ(event.statusText(), "Waiting " + std::to_string(event.seconds) + " s (server busy)");
            }
        EXPECT_EQ(waits, c.waits) << c.query;
        EXPECT_GE(elapsed, std::chrono::seconds(c.waits.empty() ? 0 : c.waits[0])) << c.query;
        EXPECT_EQ(events.back().kind, c.kind) << c.query;
        if (c.kind == Kind::Result)
            EXPECT_DOUBLE_EQ(events.back().quotation->value, 12.5) << c.query;
        else
            EXPECT_EQ(events.back().statusText(), c.text) << c.query;
        int requests = 0;
        for (const std::string& requested : server().requests())
            requests += requested.rfind("/busy/" + std::to_string(n) + "?", 0) == 0;
        EXPECT_EQ(requests, c.requests) << c.query;
        events.clear();
        EXPECT_TRUE(m_temp.files().isEmpty()) << c.query;
    }
}

TEST_F(DownloadWorkerTest, RetryAfterLongerThanTheTimeoutEndsTheItemAtOnce)
{
    struct Case {
        const char* query;
        const char* text;
    };
    const Case cases[] = {
        {"code=429&refusals=1&after=3600", "Error: Server busy! (retry after 3600 s)"},
        {"code=503&refusals=1&after=4", "Error: Server busy! (retry after 4 s)"},
        {"code=429&refusals=1&after=1&after=100", "Error: Server busy! (retry after 100 s)"},
        {"code=429&refusals=1&after=Fri, 31 Dec 9999 23:59:59 GMT", "Error: Server busy! (retry after 2147483647 s)"},
        // A wait as long as the timeout is still made.
        {"code=429&refusals=1&after=3", nullptr},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = "/busy/long" + std::to_string(++n) + "?" + c.query;
        const std::string url = server().url(path);
        const auto start = std::chrono::steady_clock::now();
        auto finals = finalEvents(runJob(jobFor(url, {taskFor("A", standardRules(url, "Price"))}, 3)));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        ASSERT_EQ(finals.size(), 1u) << c.query;
        if (!c.text) {
            EXPECT_EQ(finals[0].kind, Kind::Result) << finals[0].statusText();
            EXPECT_GE(elapsed, std::chrono::seconds(3));
            continue;
        }
        EXPECT_EQ(finals[0].statusText(), c.text) << c.query;
        EXPECT_LT(elapsed, std::chrono::seconds(2)) << c.query;
        int requests = 0;
        for (const std::string& requested : server().requests())
            requests += requested.rfind("/busy/long" + std::to_string(n) + "?", 0) == 0;
        EXPECT_EQ(requests, 1) << c.query;
    }
}

TEST(HttpTransferTest, RetryAfterIsReadAsSecondsOrAsADate)
{
    const time_t now = 1700000000;
    struct Case {
        std::string value;
        std::optional<int> seconds;
    };
    const Case cases[] = {{"5", 5},
                          {" 7 ", 7},
                          {"0", 0},
                          {"3600", 3600},
                          {"99999999999999", 2147483647},
                          {"Wed, 21 Oct 2015 07:28:00 GMT", 0},
                          {"Tue, 14 Nov 2023 22:13:50 GMT", 30},
                          {"Tuesday, 14-Nov-23 22:13:50 GMT", 30},
                          {"Tue Nov 14 22:13:50 2023", 30},
                          {"Tue, 14 Nov 2023 23:13:20 GMT", 3600},
                          {"soon", std::nullopt},
                          {"-1", std::nullopt},
                          {"", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(HttpTransfer::parseRetryAfter(c.value, now), c.seconds) << c.value;
}

TEST_F(DownloadWorkerTest, CompressedPagesAreReadAndBombsAreCapped)
{
    const std::string url = server().url("/gzip?text=Price%2042.5");
    auto finals = finalEvents(runJob(jobFor(url, {taskFor("A", standardRules(url, "Price"))})));
    ASSERT_EQ(finals.size(), 1u);
    ASSERT_EQ(finals[0].kind, Kind::Result) << finals[0].statusText();
    EXPECT_DOUBLE_EQ(finals[0].quotation->value, 42.5);

    const std::string bomb = server().url("/gzipbomb?bytes=" + std::to_string(70 * 1024 * 1024));
    auto events = runJob(jobFor(bomb, {taskFor("A", standardRules(bomb, "x"))}, 120));
    int lastKilobytes = 0;
    for (const DownloadEvent& event : events)
        if (event.kind == Kind::Progress)
            lastKilobytes = event.kilobytes;
    EXPECT_GE(lastKilobytes, 60000) << "progress counts decoded bytes";
    EXPECT_EQ(events.back().statusText(), "Error: Page larger than 64 MiB!");
    events.clear();
    EXPECT_TRUE(m_temp.files().isEmpty());
}

TEST_F(DownloadWorkerTest, TheTimeoutCoversEverythingBeforeTheBody)
{
    const std::string cases[] = {server().url("/status/200?delay=20"), server().url("/dripheaders?interval=0.5"),
                                 server().silentHttpsUrl("/page.html")};
    for (const std::string& url : cases) {
        const auto start = std::chrono::steady_clock::now();
        const auto finals = finalEvents(runJob(jobFor(url, {taskFor("A", standardRules(url, "x"))}, 1)));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        ASSERT_EQ(finals.size(), 1u) << url;
        EXPECT_EQ(finals[0].statusText(), "Error: Timeout!") << url;
        EXPECT_LT(elapsed, std::chrono::seconds(2)) << url;
    }
}

TEST_F(DownloadWorkerTest, RequestsCarryTheUserAgentAndTheServerHeaders)
{
    const std::string url = server().url("/headers");
    auto job = jobFor(url, {taskFor("H", standardRules(url, "no such text"))});
    job->userAgent = "Probe/2.0 (test)";
    job->headers = {"X-Symbol: ABC", "Accept: text/html"};
    auto finals = finalEvents(runJob(std::move(job)));
    ASSERT_EQ(finals.size(), 1u);
    const std::string page = readFileBytes(finals[0].convertedFile.path());
    EXPECT_NE(page.find("User-Agent: Probe/2.0 (test)"), std::string::npos) << page;
    EXPECT_EQ(page.find("User-Agent:"), page.rfind("User-Agent:")) << page;
    EXPECT_NE(page.find("X-Symbol: ABC"), std::string::npos) << page;
    EXPECT_NE(page.find("Accept: text/html"), std::string::npos) << page;
    EXPECT_EQ(page.find("Accept: text/*"), std::string::npos) << page;
}

TEST_F(DownloadWorkerTest, FilePagesThatAreNoRegularFilesAreNotOpened)
{
    const std::string pipe = m_env.path("pipe.html");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, m_env.path("")}) {
        auto events = runJob(jobFor("file://" + path, {taskFor("A", standardRules("", "x"))}));
        EXPECT_EQ(kindsOf(events), (std::vector<Kind>{Kind::Started, Kind::DownloadError})) << path;
        EXPECT_EQ(events.back().statusText(), "Error: File not found: " + path) << path;
    }
}

TEST(DownloadEventTest, FailureTextIsOneLineAndNotFoundShowsThePath)
{
    DownloadEvent event;
    event.kind = Kind::DownloadError;
    event.code = Code::Failure;
    event.errorText = "Could not resolve host\r\nsecond line";
    EXPECT_EQ(event.statusText(), "Could not resolve host. second line");
    event.code = Code::NotFound;
    event.url = "https://example.org/a/b?c=1";
    EXPECT_EQ(event.statusText(), "Error: File not found: /a/b?c=1");
    event.url = "http://example.org/x";
    EXPECT_EQ(event.statusText(), "Error: File not found: /x");
    event.code = DownloadErrorCode::None;
    EXPECT_EQ(event.statusText(), "");
}

} // namespace

TEST_F(DownloadWorkerTest, ValuesNobodyCouldEnterAreNeverStored)
{
    const std::vector<std::string> refused = {"Price: 0", "Price: -5", "Price: 0.0000001", "Price: 99999999999999",
                                              "Price: 999999999.01"};
    const std::vector<std::string> stored = {"Price: 0.001", "Price: 999999999"};
    for (const std::string& page : refused) {
        const std::string path = m_env.writeFile("value.txt", page);
        const auto events = runJob(jobFor("file://" + path, {taskFor("A", standardRules("", "Price:"))}));
        EXPECT_NE(events.back().kind, Kind::Result) << page;
        EXPECT_FALSE(events.back().quotation) << page;
    }
    for (const std::string& page : stored) {
        const std::string path = m_env.writeFile("value.txt", page);
        const auto events = runJob(jobFor("file://" + path, {taskFor("A", standardRules("", "Price:"))}));
        EXPECT_EQ(events.back().kind, Kind::Result) << page;
    }
    const std::string json = m_env.writeFile("value.json", "{\"price\": 1e-400}");
    ServerConfig rules = standardRules("", "");
    rules.Filtering = 1;
    rules.RegExp = std::string(JsonRule::kPrefix) + "$.price";
    const auto events = runJob(jobFor("file://" + json, {taskFor("A", rules)}));
    EXPECT_EQ(events.back().statusText(), "Error: Invalid value!");
}
