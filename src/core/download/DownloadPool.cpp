// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/DownloadPool.h"

#include "core/download/DownloadWorker.h"

#include <algorithm>
#include <system_error>

DownloadPool::DownloadPool(int maxDownloads, int perHost)
    : m_maxDownloads(std::max(1, maxDownloads)), m_perHost(std::max(1, perHost))
{
}

DownloadPool::~DownloadPool()
{
    waitUntilIdle();
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void DownloadPool::submit(std::unique_ptr<DownloadJob> job)
{
    std::vector<std::unique_ptr<DownloadJob>> orphans;
    // Parsed before the lock is taken, which the workers need to take their next jobs.
    const std::string host = job->limited() ? HttpTransfer::hostOf(job->url) : std::string();
    {
        std::lock_guard lock(m_mutex);
        ++m_pending;
        if (job->limited()) {
            m_hosts[host].queued.push_back({m_nextOrder++, std::move(job)});
        } else {
            m_unlimited.push_back(std::move(job));
        }
        if (!addThreadIfNeeded() && m_threads.empty())
            orphans = takeAll();
    }
    // All: one waiter may be a caller waiting for idleness, who would swallow a single wake-up.
    m_changed.notify_all();
    for (auto& orphan : orphans) {
        reportJobNotStarted(*orphan, "Error: No download thread could be started!");
        orphan.reset();
        std::lock_guard lock(m_mutex);
        --m_pending;
    }
    if (!orphans.empty())
        m_changed.notify_all();
}

bool DownloadPool::waitUntilIdle(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    const auto idle = [this] { return m_pending == 0; };
    if (bound == std::chrono::milliseconds::max()) {
        m_changed.wait(lock, idle);
        return true;
    }
    return m_changed.wait_for(lock, bound, idle);
}

int DownloadPool::threadCount() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_threads.size());
}

void DownloadPool::work()
{
    HttpTransfer http;
    std::string lastHost;
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::string host;
        std::unique_ptr<DownloadJob> job = take(host, lastHost);
        if (!job) {
            if (m_stopping)
                return;
            m_changed.wait(lock);
            continue;
        }
        const bool limited = job->limited();
        --m_freeThreads;
        addThreadIfNeeded();
        lock.unlock();
        runDownloadJob(*job, http);
        // Nothing of the job (its receiver above all) may outlive the wait for idleness.
        job.reset();
        lock.lock();
        ++m_freeThreads;
        if (limited) {
            --m_limitedRunning;
            const auto entry = m_hosts.find(host);
            if (--entry->second.running == 0 && entry->second.queued.empty())
                m_hosts.erase(entry);
            lastHost = host;
        }
        --m_pending;
        m_changed.notify_all();
    }
}

std::unique_ptr<DownloadJob> DownloadPool::take(std::string& host, const std::string& lastHost)
{
    if (!m_unlimited.empty()) {
        std::unique_ptr<DownloadJob> job = std::move(m_unlimited.front());
        m_unlimited.pop_front();
        return job;
    }
    if (m_limitedRunning >= m_maxDownloads)
        return nullptr;
    auto chosen = m_hosts.find(lastHost);
    if (chosen == m_hosts.end() || chosen->second.queued.empty() || !mayStart(chosen->first, chosen->second)) {
        chosen = m_hosts.end();
        for (auto it = m_hosts.begin(); it != m_hosts.end(); ++it)
            if (!it->second.queued.empty() && mayStart(it->first, it->second) &&
                (chosen == m_hosts.end() || it->second.queued.front().order < chosen->second.queued.front().order))
                chosen = it;
    }
    if (chosen == m_hosts.end())
        return nullptr;
    std::unique_ptr<DownloadJob> job = std::move(chosen->second.queued.front().job);
    chosen->second.queued.pop_front();
    ++chosen->second.running;
    ++m_limitedRunning;
    host = chosen->first;
    return job;
}

bool DownloadPool::mayStart(const std::string& key, const Host& host) const
{
    // Local files have no host to spare.
    return key.empty() || host.running < m_perHost;
}

bool DownloadPool::addThreadIfNeeded()
{
    if (m_freeThreads > 0)
        return true;
    const bool limitedWaits = m_limitedRunning < m_maxDownloads &&
        std::any_of(m_hosts.begin(), m_hosts.end(), [](const auto& entry) { return !entry.second.queued.empty(); });
    const bool roomForLimited = static_cast<int>(m_threads.size()) < m_maxDownloads;
    if (!(limitedWaits && roomForLimited) && m_unlimited.empty())
        return true;
    try {
        m_threads.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        return false;
    }
    ++m_freeThreads;
    return true;
}

std::vector<std::unique_ptr<DownloadJob>> DownloadPool::takeAll()
{
    std::vector<std::unique_ptr<DownloadJob>> jobs;
    for (auto& job : m_unlimited)
        jobs.push_back(std::move(job));
    m_unlimited.clear();
    for (auto& [key, host] : m_hosts)
        for (Entry& entry : host.queued)
            jobs.push_back(std::move(entry.job));
    m_hosts.clear();
    return jobs;
}
