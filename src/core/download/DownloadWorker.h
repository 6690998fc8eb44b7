#pragma once

#include "core/download/DownloadJob.h"

#include <memory>

// The download worker's thread routine: waits for a slot of the job's limiter, fetches the page
// (http, https or file), converts and searches it per task and posts every event to the job's receiver.
// Every task gets exactly one final event on every path. Returns 0.
int RunDownloadJob(std::unique_ptr<DownloadJob> job);

// Runs the job on a thread of its own that ends by itself.
void StartDownloadJob(std::unique_ptr<DownloadJob> job);
