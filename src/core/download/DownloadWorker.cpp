#include "core/download/DownloadWorker.h"

#include "core/download/DownloadRun.h"

#include <exception>

void RunDownloadJob(DownloadJob& job, HttpTransfer& http)
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

int RunDownloadJob(std::unique_ptr<DownloadJob> job)
{
    HttpTransfer http;
    RunDownloadJob(*job, http);
    return 0;
}

void ReportJobNotStarted(DownloadJob& job, const std::string& errorText)
{
    HttpTransfer http;
    DownloadRun(job, http).reportNotStarted(errorText);
}
