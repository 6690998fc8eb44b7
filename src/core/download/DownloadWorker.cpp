#include "core/download/DownloadWorker.h"

#include "core/download/DownloadRun.h"

#include <exception>
#include <system_error>
#include <thread>

namespace {

// Holds a slot of the limiter for the whole run.
class LimiterSlot {
public:
    explicit LimiterSlot(DownloadLimiter* limiter) : m_limiter(limiter)
    {
        if (m_limiter)
            m_limiter->acquire();
    }
    ~LimiterSlot()
    {
        if (m_limiter)
            m_limiter->release();
    }
    LimiterSlot(const LimiterSlot&) = delete;
    LimiterSlot& operator=(const LimiterSlot&) = delete;

private:
    DownloadLimiter* m_limiter;
};

void runJob(DownloadJob& job)
{
    const LimiterSlot slot(job.limiter);
    DownloadRun run(job);
    try {
        run.run();
    } catch (const std::exception& error) {
        run.failRemaining(std::string("Error: ") + error.what());
    } catch (...) {
        run.failRemaining("Error: Unexpected failure of the download.");
    }
}

} // namespace

int RunDownloadJob(std::unique_ptr<DownloadJob> job)
{
    runJob(*job);
    return 0;
}

void StartDownloadJob(std::unique_ptr<DownloadJob> job)
{
    const std::shared_ptr<DownloadJob> shared(std::move(job));
    std::shared_ptr<JobCounter> counter = shared->counter;
    if (counter)
        counter->add();
    try {
        std::thread([shared, counter] {
            runJob(*shared);
            if (counter)
                counter->remove();
        }).detach();
    } catch (const std::system_error& error) {
        DownloadRun(*shared).reportNotStarted(std::string("Error: No download thread could be started: ") +
                                              error.what());
        if (counter)
            counter->remove();
    }
}
