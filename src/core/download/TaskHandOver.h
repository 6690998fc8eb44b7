// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadJob.h"
#include "core/download/JobEventPoster.h"

#include <ctime>
#include <string>

// Searches the page of an update or test job for each of its tasks and posts every task's final event.
class TaskHandOver {
public:
    // `readStart` is when the page began to arrive: the item's timeout counts from there.
    TaskHandOver(const DownloadJob& job, JobEventPoster& events, time_t readStart);
    void run(std::string body);

private:
    // The final event of the next task, from the page converted for its rules and made searchable.
    DownloadEvent taskResult(const ItemTask& task, const std::string& converted, const std::string& searched);
    bool aborted() const;

    const DownloadJob& m_job;
    JobEventPoster& m_events;
    time_t m_readStart;
};
