// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadJob.h"
#include "core/download/HttpTransfer.h"

#include <memory>

// The download worker: fetches the job's page (http, https or file) through `http`, converts and searches it
// per task and posts every event to the job's receiver. Every task gets exactly one final event on every path.
void runDownloadJob(DownloadJob& job, HttpTransfer& http);

// The same on a transfer object of its own. Returns 0.
int runDownloadJob(std::unique_ptr<DownloadJob> job);

// For a job that no thread could take: Started, then a Failure carrying `errorText`.
void reportJobNotStarted(DownloadJob& job, const std::string& errorText);
