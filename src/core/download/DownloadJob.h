#pragma once

#include "core/download/EventSink.h"
#include "core/download/ItemTask.h"
#include "core/download/JobCounter.h"
#include "core/model/CWPapierDoc.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using DownloadLimiter = std::counting_semaphore<CWPapierDoc::kMaxDownloadSlots>;

// One page to fetch and the items it serves. Built by its starter, owned by the worker once it runs.
struct DownloadJob {
    // Wizard and raw downloads allow this many seconds for reading.
    static constexpr int32_t kHandOverTimeout = 300;

    // With the item variables already put in; the worker puts in the date variables.
    std::string url;
    // Seconds allowed for reading the page body.
    int32_t timeout = 60;
    bool test = false;
    // The page is handed over raw, semi-html and text-only (server wizard).
    bool wizard = false;
    // The page is handed over as downloaded (historical import).
    bool raw = false;
    // The job carries its own reference time; a missing page then makes the worker look back.
    bool dateGiven = false;
    time_t dateTime = 0;
    // Update jobs hold one slot while they run; test, wizard and raw jobs take none.
    DownloadLimiter* limiter = nullptr;
    // Empty for wizard and raw jobs.
    std::vector<ItemTask> tasks;
    // Set when the job's texts could not be built: every task fails with this text, nothing is fetched.
    std::string refusal;
    std::shared_ptr<EventSink> receiver;
    // Read only by the worker; set by whoever aborts the downloads.
    std::shared_ptr<const std::atomic<bool>> abortFlag;
    // Counts the job while its worker runs, when the starter wants to wait for its workers.
    std::shared_ptr<JobCounter> counter;
};
