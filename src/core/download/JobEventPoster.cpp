// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/JobEventPoster.h"

#include <utility>

JobEventPoster::JobEventPoster(const DownloadJob& job, uint32_t threadId)
    : m_job(job), m_threadId(threadId), m_url(job.url), m_targetCount(job.tasks.empty() ? 1 : job.tasks.size())
{
}

DownloadEvent JobEventPoster::event(DownloadEventKind kind) const
{
    DownloadEvent event;
    event.threadId = m_threadId;
    event.test = m_job.test;
    event.kind = kind;
    event.url = m_url;
    event.errorText = m_errorText;
    return event;
}

DownloadEvent JobEventPoster::nextTaskEvent(DownloadEventKind kind) const
{
    return targetEvent(m_finished, kind);
}

DownloadEvent JobEventPoster::targetEvent(size_t target, DownloadEventKind kind) const
{
    DownloadEvent result = event(kind);
    if (!m_job.tasks.empty()) {
        result.itemName = m_job.tasks[target].name;
        result.itemRef = m_job.tasks[target].itemRef;
    }
    return result;
}

void JobEventPoster::postStatus(DownloadEventKind kind, int32_t kilobytes, int32_t seconds)
{
    if (kind != DownloadEventKind::Started && m_job.receiver && !m_job.receiver->wantsStatus())
        return;
    for (size_t i = m_finished; i < m_targetCount; ++i) {
        DownloadEvent status = targetEvent(i, kind);
        status.kilobytes = kilobytes;
        status.seconds = seconds;
        post(std::move(status));
    }
}

void JobEventPoster::postFinal(DownloadEventKind kind, DownloadErrorCode code, int32_t seconds)
{
    // Each post ends one target and moves m_finished on.
    while (m_finished < m_targetCount) {
        DownloadEvent ending = targetEvent(m_finished, kind);
        ending.code = code;
        ending.seconds = seconds;
        post(std::move(ending));
    }
}

void JobEventPoster::postFailure(const std::string& errorText)
{
    m_errorText = errorText;
    postError(DownloadErrorCode::Failure);
}

void JobEventPoster::postTransferFailure(const HttpFailure& failure)
{
    switch (failure.kind) {
    case HttpFailure::NoConnection:
        postError(DownloadErrorCode::NoConnection);
        return;
    case HttpFailure::HostNotFound:
        postError(DownloadErrorCode::HostNotFound);
        return;
    case HttpFailure::Incomplete:
        postError(DownloadErrorCode::Incomplete);
        return;
    case HttpFailure::None:
    case HttpFailure::Other:
        break;
    }
    postFailure(DownloadEvent::downloadFailedText(failure.reason));
}

void JobEventPoster::post(DownloadEvent event)
{
    if (event.isFinal())
        ++m_finished;
    if (m_job.receiver)
        m_job.receiver->post(std::move(event));
}
