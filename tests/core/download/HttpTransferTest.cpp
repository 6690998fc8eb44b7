// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"

#include "core/download/BodyBudget.h"
#include "core/download/HttpFailure.h"
#include "core/download/HttpTransfer.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

// Keeps the body as the transfer hands it over.
class PageReceiver : public BodyReceiver {
public:
    bool beginBody() override { return true; }
    bool receive(const char* data, size_t size) override
    {
        body.append(data, size);
        return true;
    }
    bool keepWaiting() override { return true; }

    std::string body;
};

TEST(HttpTransferTest, ServerHeadersGoOnlyToTheOriginTheServerNames)
{
    const HttpTestServer& server = testServer();
    // The target echoes the header lines it received.
    const std::string here = server.url("/headers");
    const std::string elsewhere = server.otherOriginUrl("/headers");
    struct Case {
        std::string url;
        bool keyExpected;
    };
    const Case cases[] = {
        {here, true},
        {server.url("/redirect?to=" + here), true},
        {server.url("/redirect?to=/headers"), true},
        {server.url("/redirect?to=" + elsewhere), false},
        {server.otherOriginUrl("/redirect?to=" + here), false},
        {server.url("/redirect?to=" + server.url("/redirect?to=" + elsewhere)), false},
        {server.httpsUrl("/redirect?to=" + here), false},
    };
    qputenv("TICKORA_CA_FILE", QByteArray(server.trustedCaFile().c_str()));
    HttpTransfer http;
    for (const Case& c : cases) {
        PageReceiver page;
        const HttpRequest request{c.url, 10, "Tickora-Test/1", {"X-Api-Key: s3cret", "Accept: text/html"}};
        const HttpOutcome outcome = http.get(request, page, nullptr);
        ASSERT_EQ(outcome.kind, HttpOutcome::Completed) << c.url << ' ' << outcome.errorText;
        EXPECT_EQ(page.body.find("X-Api-Key: s3cret") != std::string::npos, c.keyExpected) << c.url << page.body;
        EXPECT_EQ(page.body.find("Accept: text/html") != std::string::npos, c.keyExpected) << c.url << page.body;
        EXPECT_NE(page.body.find("User-Agent: Tickora-Test/1"), std::string::npos) << c.url << page.body;
    }
    qunsetenv("TICKORA_CA_FILE");
}

TEST(HttpTransferTest, LibraryCodesBecomeTheDocumentedFailures)
{
    struct Case {
        int code;
        bool bodyBegun;
        HttpFailure::Kind kind;
        const char* reason;
    };
    // libcurl's numbers: 6 host not resolved, 7 no connection, 18 partial body, 56 receive error, 60 peer
    // certificate, 61 content encoding, 1 unsupported protocol (an HTTP/0.9 answer), 99 an unknown one.
    const Case cases[] = {
        {6, false, HttpFailure::HostNotFound, ""},
        {7, false, HttpFailure::NoConnection, ""},
        {18, true, HttpFailure::Incomplete, ""},
        {56, true, HttpFailure::Incomplete, ""},
        {56, false, HttpFailure::Other, "connection broken"},
        {60, false, HttpFailure::Other, "certificate not trusted"},
        {61, true, HttpFailure::Other, "damaged compressed data"},
        {1, false, HttpFailure::Other, "not an HTTP answer"},
        {99, false, HttpFailure::Other, "transfer error 99"},
    };
    for (const Case& c : cases) {
        const HttpFailure failure = HttpFailure::ofCurlCode(c.code, c.bodyBegun);
        EXPECT_EQ(failure.kind, c.kind) << c.code;
        EXPECT_EQ(failure.reason, c.reason) << c.code;
    }
}

TEST(BodyBudgetTest, AShareWaitsWhileGrantingItCouldBlockTheOthers)
{
    constexpr long long kMiB = 1024 * 1024;
    BodyBudget budget(4 * kMiB, 3 * kMiB);
    BodyBudget::Share first(budget);
    BodyBudget::Share second(budget);
    int waits = 0;
    int looks = 0;
    const auto giveUp = [&looks] { return ++looks < 3; };
    const auto countWait = [&waits] { ++waits; };

    ASSERT_TRUE(first.growFor(2 * kMiB, giveUp, countWait));
    EXPECT_FALSE(second.growFor(4 * kMiB, giveUp, countWait)) << "more than the largest body";
    // 3.5 MiB would fit, but then neither could grow to the largest body: both would wait for ever.
    EXPECT_FALSE(second.growFor(3 * kMiB / 2, giveUp, countWait));
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(looks, 3);
    EXPECT_EQ(second.held(), 0);
    ASSERT_TRUE(second.growFor(kMiB, giveUp, countWait));
    EXPECT_EQ(budget.peak(), 3 * kMiB);

    first.release();
    ASSERT_TRUE(second.growFor(kMiB + 1, giveUp, countWait));
    EXPECT_EQ(second.held(), 2 * kMiB) << "a growing share doubles";
    EXPECT_EQ(waits, 1);
}

} // namespace
