// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/TempFile.h"
#include "core/download/BodyBudget.h"
#include "core/download/BodyReceiver.h"
#include "core/download/DownloadJob.h"
#include "core/download/HttpTransfer.h"
#include "core/download/JobEventPoster.h"

#include <QFile>
#include <ctime>
#include <optional>
#include <string>

// One run of the download worker over one job: fetches the page into a temporary file, hands it over and
// posts the job's events through its JobEventPoster.
class DownloadRun : public BodyReceiver {
public:
    // Larger pages are not read further.
    static constexpr long long kMaxPageBytes = 64LL * 1024 * 1024;

    // `http` carries the job's requests; it may keep its connection from an earlier job.
    DownloadRun(DownloadJob& job, HttpTransfer& http);
    void run();
    // Ends every task that has no final event yet with a Failure carrying `errorText`.
    void failRemaining(const std::string& errorText);
    // For a job whose thread could not start: Started, then a Failure carrying `errorText`.
    void reportNotStarted(const std::string& errorText);

    bool beginBody() override;
    bool receive(const char* data, size_t size) override;
    bool keepWaiting() override;

private:
    enum class Scheme { Http, File };
    // An address as it is fetched: parsed once per try, as parsing is a good part of a small page's cost.
    struct Address {
        Scheme scheme;
        // For http and https the form that is sent, otherwise the address as given.
        std::string text;
    };
    // Why reading stopped before the end of the page.
    enum class Stop { None, Aborted, Timeout, TooLarge, WriteFailed, NoTempFile };
    enum class TryResult { Read, Missing, Ended };

    void fetch();
    // `url` in the form that is sent, as addressOf made it.
    TryResult fetchHttp(const std::string& url);
    // Asks once more after the delay a busy server named; false when the wait was aborted.
    bool waitForRetry(int seconds);
    TryResult fetchFile(const std::string& url);
    // Posts the final event that belongs to how reading stopped; false when it did not stop early.
    bool reportStop();
    void handOver();
    void handOverWizard();
    void handOverToTasks();
    bool aborted() const;
    // Wizard and raw jobs hand the page over as a file; update and test jobs search it in memory.
    bool handsOverFiles() const;
    bool openPageFile();
    // Room in memory for a body of `bytes`, from the body budget; false (with m_stop set) when there is none.
    bool reserveBody(size_t bytes);
    void discardPage();

    static std::optional<Address> addressOf(const std::string& url);

    // The address as the date variables make it, for the events.
    void setUrl(std::string url);

    DownloadJob& m_job;
    JobEventPoster m_events;
    std::string m_url;
    bool m_hasVars = false;

    HttpTransfer& m_http;
    // The page while it is written (m_page) and the file that holds it until it is handed over or discarded;
    // for update and test jobs the page as read.
    QFile m_page;
    TempFile m_pageFile;
    std::string m_body;
    BodyBudget::Share m_bodyShare;
    bool m_reading = false;
    time_t m_readStart = 0;
    long long m_bytes = 0;
    long long m_reported = 0;
    Stop m_stop = Stop::None;
};
