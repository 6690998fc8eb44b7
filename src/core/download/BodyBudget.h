// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>

// The memory all downloads may hold for page bodies at once. A download asks for more as its body grows and
// waits while the answer could let the downloads block each other: every share is granted only when the
// holders can still all reach the largest body in some order (a banker's test), so the one holding most can
// always finish and release what it holds.
class BodyBudget {
public:
    static constexpr long long kCapacity = 256LL * 1024 * 1024;
    // A body's first share; small pages, the most, need no more.
    static constexpr long long kFirstShare = 64 * 1024;

    // One download's part of the budget; gives it back when destroyed.
    class Share {
    public:
        explicit Share(BodyBudget& budget) : m_budget(budget) { }
        ~Share() { release(); }
        Share(const Share&) = delete;
        Share& operator=(const Share&) = delete;

        long long held() const { return m_held; }
        const BodyBudget& budget() const { return m_budget; }
        // Raises the share to hold at least `needed`, doubling it as a body grows, so that the copies of a growing
        // body stay linear in its size. Waits for room while `keepWaiting` says so, calling `onWait` once before
        // the first wait. False when `needed` exceeds the largest body or the wait was given up.
        bool growFor(long long needed, const std::function<bool()>& keepWaiting, const std::function<void()>& onWait);
        void release();

    private:
        BodyBudget& m_budget;
        long long m_held = 0;
    };

    BodyBudget(long long capacity, long long largestBody);
    // The budget of all downloads of the program.
    static BodyBudget& shared();

    long long capacity() const { return m_capacity; }
    long long largestBody() const { return m_largestBody; }
    // The most held at once so far.
    long long peak() const;

private:
    // With the lock held: whether `share` may hold `bytes`.
    bool safeWith(const Share* share, long long bytes) const;

    const long long m_capacity;
    const long long m_largestBody;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    std::map<const Share*, long long> m_shares;
    long long m_total = 0;
    long long m_peak = 0;
};
