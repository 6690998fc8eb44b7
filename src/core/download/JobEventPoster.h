// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadEvent.h"
#include "core/download/DownloadJob.h"
#include "core/download/HttpFailure.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Posts the events of one download job to its receiver. Every task (or the one hand-over of a wizard or
// raw job, which has no tasks) gets exactly one final event; status events go to the tasks not yet ended.
class JobEventPoster {
public:
    JobEventPoster(const DownloadJob& job, uint32_t threadId);

    // The address and error text every later event carries.
    void setUrl(const std::string& url) { m_url = url; }
    void setErrorText(const std::string& errorText) { m_errorText = errorText; }
    bool allFinished() const { return m_finished >= m_targetCount; }

    DownloadEvent event(DownloadEventKind kind) const;
    // An event of the next task without a final event.
    DownloadEvent nextTaskEvent(DownloadEventKind kind) const;

    void postStatus(DownloadEventKind kind, int32_t kilobytes = 0, int32_t seconds = 0);
    // Ends every task not yet ended with the same kind of event.
    void postFinal(DownloadEventKind kind, DownloadErrorCode code = DownloadErrorCode::None, int32_t seconds = 0);
    void postError(DownloadErrorCode code, int32_t seconds = 0)
    {
        postFinal(DownloadEventKind::DownloadError, code, seconds);
    }
    void postFailure(const std::string& errorText);
    // Ends every task of a request that failed below HTTP, with the documented text that fits.
    void postTransferFailure(const HttpFailure& failure);
    void post(DownloadEvent event);

private:
    DownloadEvent targetEvent(size_t target, DownloadEventKind kind) const;

    const DownloadJob& m_job;
    uint32_t m_threadId;
    std::string m_url;
    std::string m_errorText;
    // Tasks before this index have had their final event.
    size_t m_finished = 0;
    size_t m_targetCount;
};
