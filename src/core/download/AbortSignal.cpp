// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/AbortSignal.h"

void AbortSignal::set()
{
    std::lock_guard lock(m_mutex);
    m_set.store(true);
    for (const Waker& wake : m_wakers)
        wake();
    m_changed.notify_all();
}

bool AbortSignal::waitFor(std::chrono::milliseconds duration) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, duration, [this] { return m_set.load(); });
}

AbortSignal::WakerId AbortSignal::addWaker(Waker waker)
{
    std::lock_guard lock(m_mutex);
    return m_wakers.insert(m_wakers.end(), std::move(waker));
}

void AbortSignal::removeWaker(WakerId id)
{
    std::lock_guard lock(m_mutex);
    m_wakers.erase(id);
}
