// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/DownloadRun.h"

#include "core/base/NativePath.h"
#include "core/base/SecretRedaction.h"
#include "core/base/TempFiles.h"
#include "core/base/UrlVariables.h"
#include "core/download/DownloadLog.h"
#include "core/download/TaskHandOver.h"
#include "core/extract/PageConverter.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cctype>
#include <chrono>
#include <functional>
#include <thread>
#include <utility>

namespace {

constexpr const char* kFilePrefix = "file://";
constexpr int kLookBackTries = 4;

bool startsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

const char* outcomeText(HttpOutcome::Kind kind)
{
    switch (kind) {
    case HttpOutcome::Completed:
        return "read";
    case HttpOutcome::HttpError:
        return "refused";
    case HttpOutcome::ServiceError:
        return "failed";
    case HttpOutcome::TimedOut:
        return "timed out";
    case HttpOutcome::Stopped:
        return "stopped";
    }
    return "";
}

DownloadErrorCode codeOfStatus(long status)
{
    if (status == 429)
        return DownloadErrorCode::ServerBusy;
    if (status >= 400 && status <= 499)
        return DownloadErrorCode::ClientError;
    if (status >= 500 && status <= 599)
        return DownloadErrorCode::ServerError;
    return DownloadErrorCode::Failure;
}

bool busyStatus(long status)
{
    return status == 429 || status == 503;
}

} // namespace

DownloadRun::DownloadRun(DownloadJob& job, HttpTransfer& http)
    : m_job(job), m_events(job, static_cast<uint32_t>(std::hash<std::thread::id>{}(std::this_thread::get_id()))),
      m_url(job.url), m_http(http), m_bodyShare(job.bodyBudget ? *job.bodyBudget : BodyBudget::shared())
{
}

void DownloadRun::run()
{
    if (!m_job.refusal.empty()) {
        reportNotStarted(m_job.refusal);
        return;
    }
    m_events.postStatus(DownloadEventKind::Started);
    m_events.setErrorText({});
    fetch();
    discardPage();
}

void DownloadRun::failRemaining(const std::string& errorText)
{
    if (!m_events.allFinished())
        m_events.postFailure(errorText);
}

void DownloadRun::reportNotStarted(const std::string& errorText)
{
    m_events.postStatus(DownloadEventKind::Started);
    m_events.postFailure(errorText);
}

void DownloadRun::fetch()
{
    const std::optional<Address> address = addressOf(m_url);
    if (!address) {
        m_events.postError(DownloadErrorCode::WrongUrl);
        return;
    }
    if (address->scheme == Scheme::Http)
        m_events.postStatus(DownloadEventKind::Connecting);
    if (aborted()) {
        m_events.postFinal(DownloadEventKind::Aborted);
        return;
    }
    if (!m_job.dateGiven)
        m_job.dateTime = std::time(nullptr);
    time_t reference = m_job.dateTime;
    m_hasVars = UrlVariables::substituteDateVariables(m_url, reference, 0).changed;

    const int tries = m_hasVars && m_job.dateGiven ? kLookBackTries : 1;
    for (int shift = 0; shift < tries; ++shift) {
        std::optional<Address> tryAddress = address;
        if (m_hasVars) {
            reference = m_job.dateTime;
            const auto tryUrl = UrlVariables::substituteDateVariables(m_url, reference, shift);
            tryAddress = tryUrl.tooLong ? std::nullopt : addressOf(tryUrl.text);
        }
        if (!tryAddress || tryAddress->scheme != address->scheme) {
            m_events.postError(DownloadErrorCode::WrongUrl);
            return;
        }
        const TryResult result =
            address->scheme == Scheme::Http ? fetchHttp(tryAddress->text) : fetchFile(tryAddress->text);
        if (result == TryResult::Ended)
            return;
        if (result == TryResult::Read) {
            handOver();
            return;
        }
    }
    if (m_hasVars) {
        reference = m_job.dateTime;
        setUrl(UrlVariables::substituteDateVariables(m_url, reference, 0).text);
    }
    m_events.postError(DownloadErrorCode::NotFound);
}

DownloadRun::TryResult DownloadRun::fetchHttp(const std::string& url)
{
    const HttpRequest request{url, m_job.timeout, m_job.userAgent, m_job.headers};
    HttpOutcome outcome;
    for (bool retried = false;; retried = true) {
        QElapsedTimer clock;
        clock.start();
        const long long bytesBefore = m_bytes;
        outcome = m_http.get(request, *this, m_job.abort.get());
        qCDebug(lcDownload).noquote() << QString::fromStdString(redactSecrets(request.url)) << "->"
                                      << outcomeText(outcome.kind) << "HTTP" << outcome.status
                                      << (m_bytes - bytesBefore) << "bytes" << clock.elapsed() << "ms"
                                      << QString::fromStdString(redactSecrets(outcome.errorText));
        if (retried || outcome.kind != HttpOutcome::HttpError || !busyStatus(outcome.status) || !outcome.retryAfter)
            break;
        // A longer wait would hold the item, and its download slot, past the time the user allows it.
        if (*outcome.retryAfter > m_job.timeout)
            break;
        if (!waitForRetry(*outcome.retryAfter)) {
            m_events.postFinal(DownloadEventKind::Aborted);
            return TryResult::Ended;
        }
    }
    switch (outcome.kind) {
    case HttpOutcome::Completed:
        return TryResult::Read;
    case HttpOutcome::HttpError:
        if (outcome.status == 404)
            return TryResult::Missing;
        if (m_hasVars) {
            time_t reference = m_job.dateTime;
            setUrl(UrlVariables::substituteDateVariables(m_url, reference, 0).text);
        }
        if (busyStatus(outcome.status) && outcome.retryAfter.value_or(0) > m_job.timeout)
            m_events.postError(DownloadErrorCode::ServerBusy, *outcome.retryAfter);
        else
            m_events.postError(codeOfStatus(outcome.status));
        return TryResult::Ended;
    case HttpOutcome::ServiceError:
        discardPage();
        m_events.postTransferFailure(outcome.failure);
        return TryResult::Ended;
    case HttpOutcome::TimedOut:
        m_stop = Stop::Timeout;
        reportStop();
        return TryResult::Ended;
    case HttpOutcome::Stopped:
        reportStop();
        return TryResult::Ended;
    }
    return TryResult::Ended;
}

bool DownloadRun::waitForRetry(int seconds)
{
    m_events.postStatus(DownloadEventKind::Waiting, 0, seconds);
    const std::chrono::seconds delay(seconds);
    if (!m_job.abort) {
        std::this_thread::sleep_for(delay);
        return true;
    }
    return !m_job.abort->waitFor(delay);
}

DownloadRun::TryResult DownloadRun::fetchFile(const std::string& url)
{
    const QString path = NativePath::forQt(url.substr(std::char_traits<char>::length(kFilePrefix)));
    QFile file(path);
    // Opening a pipe or a device could block beyond any abort.
    const bool regular = QFileInfo(path).isFile();
    if (!regular || !file.open(QIODevice::ReadOnly)) {
        const std::string errorText = regular ? file.errorString().toStdString() : "Not a regular file";
        m_events.setErrorText(errorText);
        qCDebug(lcDownload).noquote() << QString::fromStdString(redactSecrets(url)) << "-> missing"
                                      << QString::fromStdString(redactSecrets(errorText));
        return TryResult::Missing;
    }
    qCDebug(lcDownload).noquote() << QString::fromStdString(redactSecrets(url)) << "->" << file.size() << "bytes";
    if (!beginBody()) {
        reportStop();
        return TryResult::Ended;
    }
    char buffer[kReadSize];
    for (;;) {
        const qint64 count = file.read(buffer, sizeof buffer);
        if (count < 0) {
            discardPage();
            m_events.postFailure(file.errorString().toStdString());
            return TryResult::Ended;
        }
        if (count == 0)
            return TryResult::Read;
        if (!receive(buffer, static_cast<size_t>(count))) {
            reportStop();
            return TryResult::Ended;
        }
    }
}

bool DownloadRun::beginBody()
{
    m_events.postStatus(DownloadEventKind::Connected);
    if (aborted()) {
        m_stop = Stop::Aborted;
        return false;
    }
    m_body.clear();
    if (handsOverFiles() && !openPageFile()) {
        m_stop = Stop::NoTempFile;
        return false;
    }
    m_reading = true;
    m_readStart = std::time(nullptr);
    return true;
}

bool DownloadRun::receive(const char* data, size_t size)
{
    if (m_bytes + static_cast<long long>(size) > kMaxPageBytes) {
        m_stop = Stop::TooLarge;
        return false;
    }
    if (!handsOverFiles()) {
        if (!reserveBody(m_body.size() + size))
            return false;
        m_body.append(data, size);
    } else if (m_page.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size)) {
        m_stop = Stop::WriteFailed;
        return false;
    }
    m_bytes += static_cast<long long>(size);
    if (m_bytes >= m_reported + 1000) {
        m_events.postStatus(DownloadEventKind::Progress, static_cast<int32_t>(m_bytes / 1000));
        m_reported += 1000;
    }
    return keepWaiting();
}

bool DownloadRun::keepWaiting()
{
    if (m_reading && std::time(nullptr) - m_readStart >= m_job.timeout) {
        m_stop = Stop::Timeout;
        return false;
    }
    if (aborted()) {
        m_stop = Stop::Aborted;
        return false;
    }
    return true;
}

bool DownloadRun::reportStop()
{
    discardPage();
    switch (m_stop) {
    case Stop::None:
        return false;
    case Stop::Aborted:
        m_events.postFinal(DownloadEventKind::Aborted);
        break;
    case Stop::Timeout:
        m_events.postError(DownloadErrorCode::Timeout);
        break;
    case Stop::TooLarge:
        m_events.postFailure("Error: Page larger than 64 MiB!");
        break;
    case Stop::WriteFailed:
        m_events.postFailure("Error: The page could not be written to a temporary file!");
        break;
    case Stop::NoTempFile:
        m_events.postFailure("Error: No temporary file could be created!");
        break;
    }
    return true;
}

void DownloadRun::handOver()
{
    const bool written = !handsOverFiles() || m_page.flush();
    m_page.close();
    if (!written) {
        m_stop = Stop::WriteFailed;
        reportStop();
        return;
    }
    if (aborted()) {
        m_stop = Stop::Aborted;
        reportStop();
        return;
    }
    if (m_job.wizard) {
        handOverWizard();
    } else if (m_job.raw) {
        DownloadEvent event = m_events.event(DownloadEventKind::Result);
        event.rawFile = std::move(m_pageFile);
        m_events.post(std::move(event));
    } else {
        handOverToTasks();
    }
}

void DownloadRun::handOverWizard()
{
    const std::string& raw = m_pageFile.path();
    TempFile semi = TempFiles::create();
    TempFile text = TempFiles::create();
    if (semi.empty() || text.empty() ||
        !PageConverter::convertPageFile(PageConverter::Mode::SemiHtml, raw, semi.path()) ||
        !PageConverter::convertPageFile(PageConverter::Mode::TextOnly, raw, text.path())) {
        m_stop = Stop::NoTempFile;
        reportStop();
        return;
    }
    DownloadEvent event = m_events.event(DownloadEventKind::Result);
    event.rawFile = std::move(m_pageFile);
    event.semiFile = std::move(semi);
    event.convertedFile = std::move(text);
    m_events.post(std::move(event));
}

void DownloadRun::handOverToTasks()
{
    TaskHandOver(m_job, m_events, m_readStart).run(std::exchange(m_body, {}));
}

bool DownloadRun::aborted() const
{
    return m_job.abort && m_job.abort->isSet();
}

bool DownloadRun::handsOverFiles() const
{
    return m_job.wizard || m_job.raw;
}

bool DownloadRun::openPageFile()
{
    m_pageFile = TempFiles::create();
    m_page.setFileName(QString::fromStdString(m_pageFile.path()));
    return !m_pageFile.empty() && m_page.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool DownloadRun::reserveBody(size_t bytes)
{
    if (static_cast<long long>(bytes) <= m_bodyShare.held())
        return true;
    const auto keepWaiting = [this] { return this->keepWaiting(); };
    const auto onWait = [this] { m_events.postStatus(DownloadEventKind::WaitingForMemory); };
    if (!m_bodyShare.growFor(static_cast<long long>(bytes), keepWaiting, onWait)) {
        if (m_stop == Stop::None)
            m_stop = Stop::TooLarge;
        return false;
    }
    m_body.reserve(static_cast<size_t>(m_bodyShare.held()));
    return true;
}

void DownloadRun::discardPage()
{
    m_reading = false;
    m_page.close();
    m_pageFile.reset();
    m_body.clear();
    m_body.shrink_to_fit();
    m_bodyShare.release();
}

void DownloadRun::setUrl(std::string url)
{
    m_url = std::move(url);
    m_events.setUrl(m_url);
}

std::optional<DownloadRun::Address> DownloadRun::addressOf(const std::string& url)
{
    if (startsWithNoCase(url, kFilePrefix))
        return Address{Scheme::File, url};
    if (std::optional<std::string> canonical = HttpTransfer::canonicalUrl(url))
        return Address{Scheme::Http, std::move(*canonical)};
    // Without the HTTP library no address can be checked; the request then fails with the reason.
    if (!HttpTransfer::available())
        return Address{Scheme::Http, url};
    return std::nullopt;
}
