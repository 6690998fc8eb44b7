// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/AbortSignal.h"
#include "core/download/BodyBudget.h"
#include "core/download/EventSink.h"
#include "core/download/ItemTask.h"
#include "core/settings/DownloadOptions.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

// One page to fetch and the items it serves. Built by its starter, owned by the worker once it runs.
struct DownloadJob {
    // Wizard and raw downloads allow this many seconds for reading.
    static constexpr int32_t kHandOverTimeout = 300;

    // With the item variables already put in; the worker puts in the date variables.
    std::string url;
    // Seconds allowed for each request: connection, the answer's headers and the body.
    int32_t timeout = 60;
    // The only User-Agent header of every request.
    std::string userAgent = DownloadOptions::kDefaultUserAgent;
    // Extra "Name: value" request lines of the server, with the item variables put in.
    std::vector<std::string> headers;
    bool test = false;
    // The page is handed over raw, semi-html and text-only (server wizard).
    bool wizard = false;
    // The page is handed over as downloaded (historical import).
    bool raw = false;
    // The job carries its own reference time; a missing page then makes the worker look back.
    bool dateGiven = false;
    time_t dateTime = 0;
    // Empty for wizard and raw jobs.
    std::vector<ItemTask> tasks;
    // Set when the job's texts could not be built: every task fails with this text, nothing is fetched.
    std::string refusal;
    std::shared_ptr<EventSink> receiver;
    // Read only by the worker; set by whoever aborts the downloads.
    std::shared_ptr<AbortSignal> abort;
    // The memory the page's body counts against; null for the budget shared by all downloads.
    std::shared_ptr<BodyBudget> bodyBudget;

    // Update jobs count against the download limits; test, wizard and raw jobs do not.
    bool limited() const { return !test && !wizard && !raw; }
};
