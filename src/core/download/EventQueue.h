// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/EventSink.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

// A thread-safe queue of events, drained by the thread that owns the scheduler (the CLI's main loop, tests).
class EventQueue : public EventSink {
public:
    enum class StatusEvents { Posted, Skipped };

    explicit EventQueue(StatusEvents statusEvents = StatusEvents::Posted) : m_statusEvents(statusEvents) { }
    bool wantsStatus() const override { return m_statusEvents == StatusEvents::Posted; }
    void post(DownloadEvent event) override;
    // The oldest event, waiting up to `timeout` for one that wakes the taker.
    std::optional<DownloadEvent> take(std::chrono::milliseconds timeout);
    // Every waiting event, oldest first, waiting up to `timeout` for one that wakes the taker: one wake-up
    // serves a burst.
    std::deque<DownloadEvent> takeAll(std::chrono::milliseconds timeout);

private:
    // Where status events are skipped, a task's start only counts: it comes along with the next end, or when
    // the wait ends, which halves an unattended run's wake-ups.
    bool wakes(const DownloadEvent& event) const;

    const StatusEvents m_statusEvents;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<DownloadEvent> m_events;
    // How many of the waiting events wake the taker.
    size_t m_waking = 0;
};
