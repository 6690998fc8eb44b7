// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/TaskHandOver.h"

#include "core/base/TempFiles.h"
#include "core/base/Windows1252.h"
#include "core/extract/PageConverter.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"

#include <chrono>
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

} // namespace

TaskHandOver::TaskHandOver(const DownloadJob& job, JobEventPoster& events, time_t readStart)
    : m_job(job), m_events(events), m_readStart(readStart)
{
}

void TaskHandOver::run(std::string body)
{
    // Read once; each conversion mode the tasks ask for is made once, in memory.
    m_page = PageText::normalizeEncoding(std::move(body));
    for (const ItemTask& task : m_job.tasks) {
        if (aborted()) {
            m_events.postFinal(DownloadEventKind::Aborted);
            return;
        }
        const ConvertedPage& converted = convertedFor(PageConverter::modeOf(task.rules.Format));
        m_events.post(taskResult(task, *converted.text, *converted.searched));
    }
}

const TaskHandOver::ConvertedPage& TaskHandOver::convertedFor(PageConverter::Mode mode)
{
    const auto [found, added] = m_converted.try_emplace(mode);
    ConvertedPage& converted = found->second;
    if (!added)
        return converted;
    // A large page is held once where no conversion or search form changes it.
    if (mode == PageConverter::Mode::None) {
        converted.text = &m_page;
    } else {
        converted.ownText = PageConverter::convertPage(mode, m_page);
        converted.text = &converted.ownText;
    }
    const std::string& text = *converted.text;
    // The page itself is UTF-8 already, as normalizeEncoding made it; a conversion of it is checked.
    const bool utf8 = mode == PageConverter::Mode::None || Windows1252::isValidUtf8(text);
    if (utf8 && text.find('\0') == std::string::npos) {
        converted.searched = converted.text;
    } else {
        converted.ownSearched = PageText::forSearch(text);
        converted.searched = &converted.ownSearched;
    }
    return converted;
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
