// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"

#include "core/download/DownloadWorker.h"
#include "core/download/EventQueue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

DownloadEvent eventNamed(const std::string& name)
{
    DownloadEvent event;
    event.itemName = name;
    return event;
}

std::vector<std::string> namesOf(const std::deque<DownloadEvent>& events)
{
    std::vector<std::string> names;
    for (const DownloadEvent& event : events)
        names.push_back(event.itemName);
    return names;
}

TEST(EventQueueTest, TakeAllHandsOverEveryWaitingEventInOrderOnce)
{
    EventQueue queue;
    for (const char* name : {"A", "B", "C"})
        queue.post(eventNamed(name));
    EXPECT_EQ(namesOf(queue.takeAll(0ms)), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(queue.takeAll(10ms).empty());
}

TEST(EventQueueTest, TakeAllWakesForAnEventPostedWhileItWaits)
{
    EventQueue queue;
    std::thread poster([&queue] {
        std::this_thread::sleep_for(50ms);
        queue.post(eventNamed("late"));
    });
    const auto start = std::chrono::steady_clock::now();
    const std::deque<DownloadEvent> events = queue.takeAll(10s);
    poster.join();
    EXPECT_EQ(namesOf(events), std::vector<std::string>{"late"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    // The queue is empty again, so the next post must wake the next waiter.
    queue.post(eventNamed("next"));
    ASSERT_TRUE(queue.take(0ms).has_value());
}

TEST(EventQueueTest, SkippingStatusOnlyAnEndWakesTheTakerAndTheStartsComeAlong)
{
    EventQueue queue(EventQueue::StatusEvents::Skipped);
    queue.post(eventNamed("started"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(namesOf(queue.takeAll(100ms)), std::vector<std::string>{"started"}) << "taken when the wait ends";
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);

    std::thread poster([&queue] {
        queue.post(eventNamed("A"));
        std::this_thread::sleep_for(50ms);
        DownloadEvent end = eventNamed("end");
        end.kind = DownloadEventKind::Result;
        queue.post(std::move(end));
    });
    EXPECT_EQ(namesOf(queue.takeAll(10s)), (std::vector<std::string>{"A", "end"}));
    poster.join();
    queue.post(eventNamed("B"));
    EXPECT_EQ(queue.take(10ms)->itemName, "B") << "a start is still handed over once the wait ends";
    EXPECT_FALSE(queue.take(0ms).has_value());
}

TEST(EventQueueTest, QueueSkippingStatusGetsOnlyStartAndEndOfEachTask)
{
    HttpTestServer& server = testServer();
    server.addPage("/queue/p2500.html", "Price 42.0 " + std::string(2489, 'x'));
    const std::string url = server.url("/queue/p2500.html");
    for (const auto statusEvents : {EventQueue::StatusEvents::Posted, EventQueue::StatusEvents::Skipped}) {
        auto queue = std::make_shared<EventQueue>(statusEvents);
        auto job = jobFor(url, {taskFor("A", standardRules(url, "Price")), taskFor("B", standardRules(url, "Price"))});
        job->receiver = queue;
        runDownloadJob(std::move(job));
        std::vector<DownloadEventKind> kinds;
        for (const DownloadEvent& event : queue->takeAll(0ms))
            kinds.push_back(event.kind);
        const auto count = [&kinds](DownloadEventKind kind) { return std::count(kinds.begin(), kinds.end(), kind); };
        EXPECT_EQ(count(DownloadEventKind::Started), 2);
        EXPECT_EQ(count(DownloadEventKind::Result), 2);
        const bool skipped = statusEvents == EventQueue::StatusEvents::Skipped;
        EXPECT_EQ(kinds.size() == 4, skipped) << kinds.size() << " events";
    }
}

} // namespace
