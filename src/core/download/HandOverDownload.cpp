// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/HandOverDownload.h"

#include "core/base/UrlVariables.h"
#include "core/download/DownloadSettings.h"
#include "core/download/DownloadWorker.h"
#include "core/download/EventQueue.h"

namespace HandOverDownload {

std::unique_ptr<DownloadJob> makeJob(Kind kind, const std::string& urlTemplate, const std::string& name,
                                     const std::string& symbol)
{
    auto job = std::make_unique<DownloadJob>();
    const UrlVariables::Substitution url = UrlVariables::substituteItemVariables(urlTemplate, name, symbol);
    job->url = url.text;
    if (url.tooLong)
        job->refusal = "Error: The address is longer than 259 characters!";
    job->timeout = DownloadJob::kHandOverTimeout;
    job->userAgent = DownloadSettings::read().userAgent;
    job->wizard = kind == Kind::Wizard;
    job->raw = kind == Kind::Raw;
    return job;
}

Result<TempFile> fetchRaw(const std::string& urlTemplate, const std::string& name, const std::string& symbol)
{
    std::unique_ptr<DownloadJob> job = makeJob(Kind::Raw, urlTemplate, name, symbol);
    const auto events = std::make_shared<EventQueue>();
    job->receiver = events;
    runDownloadJob(std::move(job));
    // The run has posted all its events, the final one last.
    while (std::optional<DownloadEvent> event = events->take(std::chrono::milliseconds(0))) {
        if (!event->isFinal())
            continue;
        if (event->kind == DownloadEventKind::Result)
            return std::move(event->rawFile);
        return Status::error(Status::Code::Failed, event->statusText());
    }
    return Status::error(Status::Code::Failed, "Error: The download ended without a result!");
}

} // namespace HandOverDownload
