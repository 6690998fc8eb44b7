// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/TaskHandOver.h"

#include "core/base/TempFiles.h"
#include "core/extract/PageConverter.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"

#include <chrono>
#include <map>
#include <utility>

namespace {

DownloadEventKind kindOf(ExtractStatus extractStatus)
{
    switch (extractStatus) {
    case ExtractStatus::QuotationFound:
        return DownloadEventKind::Result;
    case ExtractStatus::StartTextNotFound:
        return DownloadEventKind::TextNotFound;
    case ExtractStatus::InvalidValue:
        return DownloadEventKind::InvalidValue;
    default:
        return DownloadEventKind::QuotationNotFound;
    }
}

// A page converted for one mode: as written for the user, and as the searches read it.
struct ConvertedPage {
    std::string text;
    std::string searched;
};

} // namespace

TaskHandOver::TaskHandOver(const DownloadJob& job, JobEventPoster& events, time_t readStart)
    : m_job(job), m_events(events), m_readStart(readStart)
{
}

void TaskHandOver::run(std::string body)
{
    // Read once; each conversion mode the tasks ask for is made once, in memory.
    const std::string page = PageText::normalizeEncoding(std::move(body));
    std::map<PageConverter::Mode, ConvertedPage> converted;
    for (const ItemTask& task : m_job.tasks) {
        if (aborted()) {
            m_events.postFinal(DownloadEventKind::Aborted);
            return;
        }
        const PageConverter::Mode mode = PageConverter::modeOf(task.rules.Format);
        auto found = converted.find(mode);
        if (found == converted.end()) {
            std::string text = PageConverter::convertPage(mode, page);
            std::string searched = PageText::forSearch(text);
            found = converted.emplace(mode, ConvertedPage{std::move(text), std::move(searched)}).first;
        }
        m_events.post(taskResult(task, found->second.text, found->second.searched));
    }
}

DownloadEvent TaskHandOver::taskResult(const ItemTask& task, const std::string& converted, const std::string& searched)
{
    DownloadEvent event = m_events.nextTaskEvent(DownloadEventKind::DownloadError);
    // Extraction counts against the item's timeout, which began with the page.
    if (std::time(nullptr) - m_readStart >= m_job.timeout) {
        event.code = DownloadErrorCode::Timeout;
        return event;
    }
    // What remains of the item's timeout also bounds the extraction, and an abort ends it.
    ExtractionLimits limits;
    const auto remaining = std::chrono::seconds(m_job.timeout - (std::time(nullptr) - m_readStart));
    limits.deadline = std::chrono::steady_clock::now() + remaining;
    limits.aborted = [this] { return aborted(); };
    ExtractResult result = QuotationExtractor::extract(task.rules, searched, m_job.dateTime, limits);
    if (aborted())
        return m_events.nextTaskEvent(DownloadEventKind::Aborted);
    if (result.status != ExtractStatus::QuotationFound && std::chrono::steady_clock::now() >= limits.deadline) {
        event.code = DownloadErrorCode::Timeout;
        return event;
    }
    if (result.status == ExtractStatus::QuotationFound && !isEnterableValue(result.value))
        result.status = ExtractStatus::InvalidValue;
    if (result.status == ExtractStatus::QuotationFound && !isStorableTime(result.time)) {
        event.code = DownloadErrorCode::Failure;
        event.errorText = kUnstorableTimeText;
        return event;
    }
    if (result.status == ExtractStatus::QuotationFound) {
        event.kind = DownloadEventKind::Result;
        event.quotation = Quotation{result.time, result.value};
        event.excerpt = result.textBefore;
        return event;
    }
    // Only the page of a failed search is written: it may be shown to the user.
    event.convertedFile = TempFiles::createWith(converted);
    if (event.convertedFile.empty()) {
        event.code = DownloadErrorCode::Failure;
        event.errorText = "Error: The page could not be converted into a temporary file!";
        return event;
    }
    event.kind = kindOf(result.status);
    event.extractStatus = result.status;
    event.excerpt = result.excerpt;
    return event;
}

bool TaskHandOver::aborted() const
{
    return m_job.abort && m_job.abort->isSet();
}
