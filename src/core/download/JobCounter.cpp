#include "core/download/JobCounter.h"

void JobCounter::add()
{
    std::lock_guard lock(m_mutex);
    ++m_running;
}

void JobCounter::remove()
{
    std::lock_guard lock(m_mutex);
    if (--m_running == 0)
        m_idle.notify_all();
}

int JobCounter::running() const
{
    std::lock_guard lock(m_mutex);
    return m_running;
}

void JobCounter::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_running == 0; });
}
