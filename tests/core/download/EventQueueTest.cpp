// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/EventQueue.h"

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

} // namespace
