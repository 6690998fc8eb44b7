// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"

#include "core/download/DownloadPool.h"

#include <chrono>
#include <gtest/gtest.h>
#include <map>

using Kind = DownloadEventKind;
using Clock = std::chrono::steady_clock;

namespace {

class DownloadPoolTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testServer(); }
    DownloadPoolTest() : m_temp(m_env) { }
    HttpTestServer& server() { return testServer(); }

    // Submits one update job per address, each serving one item named after its index.
    void submit(DownloadPool& pool, const std::vector<std::string>& urls, int timeout = 30)
    {
        for (size_t i = 0; i < urls.size(); ++i) {
            auto job = jobFor(urls[i], {taskFor(std::to_string(i), standardRules(urls[i], "Price"), i + 1)}, timeout);
            job->receiver = m_queue;
            job->abort = m_abort;
            pool.submit(std::move(job));
        }
    }

    // The final event of every item, by item name.
    std::map<std::string, DownloadEvent> finals(size_t count)
    {
        std::map<std::string, DownloadEvent> byName;
        while (byName.size() < count) {
            auto event = m_queue->take(std::chrono::seconds(30));
            if (!event)
                break;
            if (event->isFinal())
                byName.emplace(event->itemName, std::move(*event));
        }
        return byName;
    }

    TestEnvironment m_env;
    PrivateTempFolder m_temp;
    std::shared_ptr<EventQueue> m_queue = std::make_shared<EventQueue>();
    std::shared_ptr<AbortSignal> m_abort = std::make_shared<AbortSignal>();
};

TEST_F(DownloadPoolTest, PagesOfOneHostShareFewConnectionsOnFewThreads)
{
    std::vector<std::string> urls;
    for (int i = 0; i < 500; ++i) {
        server().addPage("/reuse/p" + std::to_string(i) + ".html", "Price " + std::to_string(i) + ".5");
        urls.push_back(server().url("/reuse/p" + std::to_string(i) + ".html"));
    }
    const int before = server().connectionsOpened();
    DownloadPool pool(8, 8);
    submit(pool, urls);
    const auto results = finals(urls.size());
    ASSERT_TRUE(pool.waitUntilIdle(std::chrono::seconds(10)));
    ASSERT_EQ(results.size(), urls.size());
    for (const auto& [name, event] : results)
        ASSERT_EQ(event.kind, Kind::Result) << name << ": " << event.statusText();
    EXPECT_DOUBLE_EQ(results.at("499").quotation->value, 499.5);
    EXPECT_LE(server().connectionsOpened() - before, 8);
    EXPECT_LE(pool.threadCount(), 8);
    EXPECT_TRUE(m_temp.files().isEmpty());
}

// A short error page is read to its end, so a failed page (then a fallback's) keeps the connection.
TEST_F(DownloadPoolTest, MissingPagesKeepTheirConnection)
{
    server().addPage("/kept/there.html", "Price 2.5");
    const std::vector<std::string> urls = {server().url("/kept/gone-1.html"), server().url("/kept/there.html"),
                                           server().url("/kept/gone-2.html"), server().url("/kept/there.html")};
    const int before = server().connectionsOpened();
    DownloadPool pool(1, 1);
    submit(pool, urls);
    const auto results = finals(urls.size());
    ASSERT_EQ(results.size(), urls.size());
    for (const auto& [name, event] : results) {
        const bool missing = name == "0" || name == "2";
        EXPECT_EQ(event.code, missing ? DownloadErrorCode::NotFound : DownloadErrorCode::None) << name;
        EXPECT_EQ(event.kind, missing ? Kind::DownloadError : Kind::Result) << name;
    }
    EXPECT_EQ(server().connectionsOpened() - before, 1);
}

TEST_F(DownloadPoolTest, OneHostGetsNoMoreThanItsConnections)
{
    std::vector<std::string> urls;
    for (int i = 0; i < 10; ++i) {
        server().addPage("/perhost/p" + std::to_string(i) + ".html", "Price 1.5");
        urls.push_back(server().url("/perhost/p" + std::to_string(i) + ".html?delay=0.2"));
    }
    server().resetStats();
    DownloadPool pool(5, 2);
    submit(pool, urls);
    const auto results = finals(urls.size());
    ASSERT_EQ(results.size(), urls.size());
    for (const auto& [name, event] : results)
        EXPECT_EQ(event.kind, Kind::Result) << name << ": " << event.statusText();
    EXPECT_EQ(server().maxConcurrentRequestsIn("/perhost"), 2);
    EXPECT_LE(server().maxOpenConnections(), 2);
}

TEST_F(DownloadPoolTest, AbortEndsEveryTransferWithin200Milliseconds)
{
    const std::vector<std::string> urls = {
        server().url("/slow?bytes=100000&chunk=100&interval=0.1"),
        server().url("/slow?bytes=100001&chunk=100&interval=0.1"),
        server().url("/slow?bytes=100002&chunk=100&interval=0.1"),
        server().url("/status/200?delay=30"),
        server().silentHttpsUrl("/never.html"),
        server().url("/busy/abort1?code=429&refusals=5&after=25"),
        server().url("/busy/abort2?code=503&refusals=5&after=25"),
        server().url("/busy/abort3?code=429&refusals=5&after=25"),
    };
    DownloadPool pool(8, 8);
    submit(pool, urls);
    // Every transfer is under way: the slow ones read, the busy ones wait, the others wait for an answer.
    std::map<std::string, Kind> lastKind;
    const auto underWay = [&] {
        int count = 0;
        for (const auto& [name, kind] : lastKind)
            count += kind == Kind::Progress || kind == Kind::Waiting || kind == Kind::Connecting;
        return count == static_cast<int>(urls.size());
    };
    while (!underWay()) {
        auto event = m_queue->take(std::chrono::seconds(10));
        ASSERT_TRUE(event.has_value());
        ASSERT_FALSE(event->isFinal()) << event->itemName << ": " << event->statusText();
        lastKind[event->itemName] = event->kind;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto aborted = Clock::now();
    m_abort->set();
    int finalCount = 0;
    while (finalCount < static_cast<int>(urls.size())) {
        auto event = m_queue->take(std::chrono::seconds(5));
        ASSERT_TRUE(event.has_value());
        if (!event->isFinal())
            continue;
        ++finalCount;
        EXPECT_EQ(event->kind, Kind::Aborted) << event->itemName << ": " << event->statusText();
        EXPECT_LT(Clock::now() - aborted, std::chrono::milliseconds(200)) << event->itemName;
    }
    EXPECT_TRUE(pool.waitUntilIdle(std::chrono::seconds(1)));
    EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(",").toStdString();
}

TEST_F(DownloadPoolTest, BodiesHeldAtOnceStayWithinTheirBudgetAndWaitersSaySo)
{
    constexpr long long kMiB = 1024 * 1024;
    const auto budget = std::make_shared<BodyBudget>(3 * kMiB, 2 * kMiB);
    DownloadPool pool(6, 6);
    for (int i = 0; i < 6; ++i) {
        // 1.5 MB each, read over about a second, so that all are under way together.
        const std::string url = server().url(
            "/slow?bytes=1500000&chunk=100000&interval=0.07&prefix=Price%2012.5%20&n=" + std::to_string(i));
        auto job = jobFor(url, {taskFor(std::to_string(i), standardRules(url, "Price"), i + 1)});
        job->receiver = m_queue;
        job->bodyBudget = budget;
        pool.submit(std::move(job));
    }
    int results = 0;
    int waiting = 0;
    for (int finals = 0; finals < 6;) {
        auto event = m_queue->take(std::chrono::seconds(30));
        ASSERT_TRUE(event.has_value());
        if (event->kind == Kind::WaitingForMemory) {
            ++waiting;
            EXPECT_EQ(event->statusText(), "Waiting for memory...");
        }
        if (!event->isFinal())
            continue;
        ++finals;
        ASSERT_EQ(event->kind, Kind::Result) << event->itemName << ": " << event->statusText();
        EXPECT_DOUBLE_EQ(event->quotation->value, 12.5);
        ++results;
    }
    EXPECT_EQ(results, 6);
    EXPECT_GT(waiting, 0);
    EXPECT_LE(budget->peak(), 3 * kMiB);
    EXPECT_GE(budget->peak(), 2 * kMiB);
}

} // namespace
