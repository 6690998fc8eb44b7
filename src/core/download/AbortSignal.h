// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>

// The abort flag of a set of downloads. Setting it wakes every download that waits: a Retry-After delay
// and a transfer blocked in the HTTP layer (through the wakers registered while it runs).
class AbortSignal {
public:
    using Waker = std::function<void()>;
    using WakerId = std::list<Waker>::iterator;

    bool isSet() const { return m_set.load(); }
    void set();
    void clear() { m_set.store(false); }
    // Waits up to `duration`; true when the signal is (or becomes) set.
    bool waitFor(std::chrono::milliseconds duration) const;

    WakerId addWaker(Waker waker);
    void removeWaker(WakerId id);

private:
    std::atomic<bool> m_set{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::list<Waker> m_wakers;
};
