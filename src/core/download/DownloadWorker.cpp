// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/DownloadWorker.h"

#include "core/download/DownloadRun.h"

#include <exception>

void runDownloadJob(DownloadJob& job, HttpTransfer& http)
{
    DownloadRun run(job, http);
    try {
        run.run();
    } catch (const std::exception& error) {
        run.failRemaining(std::string("Error: ") + error.what());
    } catch (...) {
        run.failRemaining("Error: Unexpected failure of the download.");
    }
}

int runDownloadJob(std::unique_ptr<DownloadJob> job)
{
    HttpTransfer http;
    runDownloadJob(*job, http);
    return 0;
}

void reportJobNotStarted(DownloadJob& job, const std::string& errorText)
{
    HttpTransfer http;
    DownloadRun(job, http).reportNotStarted(errorText);
}
