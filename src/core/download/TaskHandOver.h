// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadJob.h"
#include "core/download/JobEventPoster.h"
#include "core/extract/PageConverter.h"

#include <ctime>
#include <map>
#include <string>

// Searches the page of an update or test job for each of its tasks and posts every task's final event.
class TaskHandOver {
public:
    // `readStart` is when the page began to arrive: the item's timeout counts from there.
    TaskHandOver(const DownloadJob& job, JobEventPoster& events, time_t readStart);
    void run(std::string body);

private:
    // A page converted for one mode: as written for the user, and as the searches read it. Either may be
    // the page itself, or the converted text, where nothing changes it.
    struct ConvertedPage {
        std::string ownText;
        std::string ownSearched;
        const std::string* text = nullptr;
        const std::string* searched = nullptr;
    };

    const ConvertedPage& convertedFor(PageConverter::Mode mode);
    // The final event of the next task, from the page converted for its rules and made searchable.
    DownloadEvent taskResult(const ItemTask& task, const std::string& converted, const std::string& searched);
    bool aborted() const;

    const DownloadJob& m_job;
    JobEventPoster& m_events;
    time_t m_readStart;
    std::string m_page;
    // Map nodes stay in place, so the pointers into them hold.
    std::map<PageConverter::Mode, ConvertedPage> m_converted;
};
