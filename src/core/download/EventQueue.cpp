// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/EventQueue.h"

#include <utility>

void EventQueue::post(DownloadEvent event)
{
    bool wasEmpty = false;
    {
        std::lock_guard lock(m_mutex);
        wasEmpty = m_events.empty();
        m_events.push_back(std::move(event));
    }
    // The one consumer waits only for an empty queue to fill.
    if (wasEmpty)
        m_arrived.notify_one();
}

std::optional<DownloadEvent> EventQueue::take(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    if (!m_arrived.wait_for(lock, timeout, [this] { return !m_events.empty(); }))
        return std::nullopt;
    DownloadEvent event = std::move(m_events.front());
    m_events.pop_front();
    return event;
}

std::deque<DownloadEvent> EventQueue::takeAll(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, timeout, [this] { return !m_events.empty(); });
    return std::exchange(m_events, {});
}
