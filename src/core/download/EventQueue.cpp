// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/EventQueue.h"

#include <utility>

void EventQueue::post(DownloadEvent event)
{
    bool first = false;
    {
        std::lock_guard lock(m_mutex);
        first = wakes(event) && m_waking++ == 0;
        m_events.push_back(std::move(event));
    }
    // The one consumer waits only until the first event that wakes it.
    if (first)
        m_arrived.notify_one();
}

std::optional<DownloadEvent> EventQueue::take(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, timeout, [this] { return m_waking > 0; });
    if (m_events.empty())
        return std::nullopt;
    DownloadEvent event = std::move(m_events.front());
    m_events.pop_front();
    if (wakes(event))
        --m_waking;
    return event;
}

std::deque<DownloadEvent> EventQueue::takeAll(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, timeout, [this] { return m_waking > 0; });
    m_waking = 0;
    return std::exchange(m_events, {});
}

bool EventQueue::wakes(const DownloadEvent& event) const
{
    return m_statusEvents == StatusEvents::Posted || event.isFinal();
}
