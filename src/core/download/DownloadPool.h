// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadJob.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Runs download jobs on a fixed set of threads that wait for work without spinning. Update jobs run at most
// `maxDownloads` at a time and at most `perHost` at a time against one host; a thread that finishes a job
// takes the next one of the same host first, so its open connection serves it. Test, wizard and raw jobs
// start at once. Jobs run in the order given, as far as the limits allow.
class DownloadPool {
public:
    DownloadPool(int maxDownloads, int perHost);
    // Waits for every job, queued or running, then ends the threads.
    ~DownloadPool();
    DownloadPool(const DownloadPool&) = delete;
    DownloadPool& operator=(const DownloadPool&) = delete;

    void submit(std::unique_ptr<DownloadJob> job);
    // Waits until every job has ended and released its job (and with it the receiver); false when `bound`
    // passed first.
    bool waitUntilIdle(std::chrono::milliseconds bound = std::chrono::milliseconds::max());
    int threadCount() const;

private:
    struct Entry {
        uint64_t order;
        std::unique_ptr<DownloadJob> job;
    };
    // The queued update jobs of one host and how many of its jobs run.
    struct Host {
        std::deque<Entry> queued;
        int running = 0;
    };

    void work();
    // The next job this thread may start, preferring `lastHost`; null when none may start now.
    std::unique_ptr<DownloadJob> take(std::string& host, const std::string& lastHost);
    bool mayStart(const std::string& key, const Host& host) const;
    // Called with the lock held while jobs wait: a new thread when none is free and the limits allow one.
    // False when no thread could be started.
    bool addThreadIfNeeded();
    // Every queued job, for reporting when no thread exists to run them.
    std::vector<std::unique_ptr<DownloadJob>> takeAll();

    const int m_maxDownloads;
    const int m_perHost;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<DownloadJob>> m_unlimited;
    std::map<std::string, Host> m_hosts;
    uint64_t m_nextOrder = 0;
    int m_limitedRunning = 0;
    // Jobs queued or running.
    int m_pending = 0;
    // Threads not running a job (starting or waiting).
    int m_freeThreads = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
