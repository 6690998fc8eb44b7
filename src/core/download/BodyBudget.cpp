// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/BodyBudget.h"

#include "core/download/DownloadRun.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// Waiting downloads look at their timeout and abort this often.
constexpr std::chrono::milliseconds kWaitStep(100);

} // namespace

BodyBudget::BodyBudget(long long capacity, long long largestBody)
    : m_capacity(capacity), m_largestBody(std::min(largestBody, capacity))
{
}

BodyBudget& BodyBudget::shared()
{
    static BodyBudget budget(kCapacity, DownloadRun::kMaxPageBytes);
    return budget;
}

long long BodyBudget::peak() const
{
    const std::lock_guard lock(m_mutex);
    return m_peak;
}

bool BodyBudget::safeWith(const Share* share, long long bytes) const
{
    std::vector<long long> held;
    long long total = 0;
    for (const auto& [holder, amount] : m_shares)
        if (holder != share) {
            held.push_back(amount);
            total += amount;
        }
    held.push_back(bytes);
    total += bytes;
    long long available = m_capacity - total;
    if (available < 0)
        return false;
    // Those holding most need least to finish; each that can finish gives its share back to the next.
    std::sort(held.begin(), held.end(), std::greater<>());
    for (long long amount : held) {
        if (m_largestBody - amount > available)
            return false;
        available += amount;
    }
    return true;
}

bool BodyBudget::Share::growFor(long long needed, const std::function<bool()>& keepWaiting,
                                const std::function<void()>& onWait)
{
    if (needed <= m_held)
        return true;
    if (needed > m_budget.m_largestBody)
        return false;
    const long long bytes = std::max(needed, std::min(std::max(2 * m_held, kFirstShare), m_budget.m_largestBody));
    std::unique_lock lock(m_budget.m_mutex);
    for (bool waited = false; !m_budget.safeWith(this, bytes); waited = true) {
        if (!waited) {
            lock.unlock();
            onWait();
            lock.lock();
        }
        m_budget.m_released.wait_for(lock, kWaitStep);
        lock.unlock();
        const bool goOn = keepWaiting();
        lock.lock();
        if (!goOn)
            return false;
    }
    m_budget.m_total += bytes - m_held;
    m_budget.m_peak = std::max(m_budget.m_peak, m_budget.m_total);
    m_budget.m_shares[this] = bytes;
    m_held = bytes;
    return true;
}

void BodyBudget::Share::release()
{
    if (m_held == 0)
        return;
    {
        const std::lock_guard lock(m_budget.m_mutex);
        m_budget.m_total -= m_held;
        m_budget.m_shares.erase(this);
        m_held = 0;
    }
    m_budget.m_released.notify_all();
}
