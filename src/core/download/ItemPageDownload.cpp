// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/ItemPageDownload.h"

#include "core/base/FileReader.h"
#include "core/base/UrlVariables.h"
#include "core/download/DownloadWorker.h"
#include "core/download/EventQueue.h"
#include "core/download/HandOverDownload.h"

namespace ItemPageDownload {

std::unique_ptr<DownloadJob> makeJob(const ServerConfig& rules, const std::string& name, const std::string& symbol)
{
    std::unique_ptr<DownloadJob> job = HandOverDownload::makeJob(HandOverDownload::Kind::Raw, rules.URL, name, symbol);
    job->timeout = rules.Timeout;
    for (const std::string& line : rules.Headers)
        job->headers.push_back(UrlVariables::substituteItemVariables(line, name, symbol).text);
    return job;
}

Result<std::string> fetch(const ServerConfig& rules, const std::string& name, const std::string& symbol)
{
    std::unique_ptr<DownloadJob> job = makeJob(rules, name, symbol);
    const auto events = std::make_shared<EventQueue>();
    job->receiver = events;
    runDownloadJob(std::move(job));
    // The run has posted all its events, the final one last.
    while (std::optional<DownloadEvent> event = events->take(std::chrono::milliseconds(0))) {
        if (!event->isFinal())
            continue;
        if (event->kind != DownloadEventKind::Result)
            return Status::error(Status::Code::Failed, event->statusText());
        std::optional<std::string> page = readWholeFile(event->rawFile.path());
        if (!page)
            return Status::error(Status::Code::Failed, "Could not open file for reading!");
        return std::move(*page);
    }
    return Status::error(Status::Code::Failed, "Error: The download ended without a result!");
}

} // namespace ItemPageDownload
