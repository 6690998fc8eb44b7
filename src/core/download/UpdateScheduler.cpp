// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/UpdateScheduler.h"

#include "core/base/FormatText.h"
#include "core/base/LocaleFormat.h"
#include "core/download/DownloadJob.h"
#include "core/download/ItemRequest.h"
#include "core/extract/QuotationExtractor.h"
#include "core/model/ItemAlarm.h"
#include "core/model/ItemRules.h"

#include <QFile>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

static_assert(std::is_same_v<PortfolioDocument::ItemId, decltype(ItemTask::itemRef)::value_type>);

namespace {

std::string localTimeText(time_t time)
{
    return LocaleFormat::localTime(time, "%c");
}

} // namespace

// One item ready for a job: its task and the address it expands to, or why it cannot be fetched.
struct UpdateScheduler::Prepared {
    std::string url;
    std::vector<std::string> headers;
    ItemTask task;
    std::string refusal;
};

UpdateScheduler::UpdateScheduler(PortfolioDocument& document, std::shared_ptr<EventSink> receiver,
                                 DownloadSettings settings)
    : m_document(document), m_receiver(std::move(receiver)), m_settings(std::move(settings)),
      m_abort(std::make_shared<AbortSignal>()),
      m_pool(std::make_unique<DownloadPool>(document.numberDownloads(), m_settings.connectionsPerHost)),
      m_followUps([this](std::unique_ptr<DownloadJob> job) { startJob(std::move(job)); })
{
}

UpdateScheduler::~UpdateScheduler()
{
    m_abort->set();
    m_pool.reset();
}

std::optional<UpdateScheduler::Prepared> UpdateScheduler::prepare(ItemId id,
                                                                  std::map<std::string, ServerConfig>& servers) const
{
    const int pos = m_document.positionOf(id);
    if (pos < 0)
        return std::nullopt;
    const PortfolioItem& item = m_document.item(pos);
    if (m_document.isUpdating(id) || item.isInvestedAmountHistory)
        return std::nullopt;
    ItemRequest request = ItemRequest::build(item.name, item.symbol, resolveItemRules(item, servers));
    return Prepared{std::move(request.url), std::move(request.headers),
                    ItemTask{id, item.name, std::move(request.rules)}, std::move(request.refusal)};
}

int UpdateScheduler::startUpdate(const std::vector<ItemId>& items, std::optional<time_t> date)
{
    std::vector<std::unique_ptr<DownloadJob>> jobs;
    // Items share a download only when their addresses and their request lines are the same.
    std::map<std::pair<std::string, std::vector<std::string>>, DownloadJob*> jobOfRequest;
    // Each item is prepared as its job is built: a large portfolio's items are not held twice.
    std::map<std::string, ServerConfig> servers;
    size_t started = 0;
    for (const ItemId id : items) {
        std::optional<Prepared> prepared = prepare(id, servers);
        if (!prepared)
            continue;
        Prepared& entry = *prepared;
        m_document.setUpdating(id, true);
        ++m_pendingUpdates;
        ++started;
        const int32_t timeout = entry.task.rules.Timeout;
        auto request = std::make_pair(entry.url, entry.headers);
        const auto found = entry.refusal.empty() ? jobOfRequest.find(request) : jobOfRequest.end();
        if (found != jobOfRequest.end()) {
            found->second->timeout = std::max(found->second->timeout, timeout);
            found->second->tasks.push_back(std::move(entry.task));
            continue;
        }
        auto job = std::make_unique<DownloadJob>();
        job->url = entry.url;
        job->headers = std::move(entry.headers);
        job->timeout = timeout;
        job->dateGiven = date.has_value();
        job->dateTime = date.value_or(std::time(nullptr));
        job->tasks.push_back(std::move(entry.task));
        job->refusal = std::move(entry.refusal);
        if (job->refusal.empty())
            jobOfRequest.emplace(std::move(request), job.get());
        jobs.push_back(std::move(job));
    }
    // At most one outcome per started item: thousands of them are not left to doubling.
    m_health.reserve(m_health.size() + started);
    m_followUps.forgetServers();
    for (auto& job : jobs) {
        m_followUps.track(*job, m_document);
        startJob(std::move(job));
    }
    return static_cast<int>(jobs.size());
}

void UpdateScheduler::startTest(const std::string& name, const std::string& symbol, const ServerConfig& config)
{
    auto job = std::make_unique<DownloadJob>();
    job->test = true;
    job->timeout = config.Timeout;
    job->dateTime = std::time(nullptr);
    ItemRequest request = ItemRequest::build(name, symbol, config);
    job->url = std::move(request.url);
    job->headers = std::move(request.headers);
    job->refusal = std::move(request.refusal);
    job->tasks.push_back(ItemTask{std::nullopt, name, std::move(request.rules)});
    ++m_pendingTests;
    startJob(std::move(job));
}

void UpdateScheduler::startJob(std::unique_ptr<DownloadJob> job)
{
    job->receiver = m_receiver;
    job->abort = m_abort;
    job->userAgent = m_settings.userAgent;
    m_pool->submit(std::move(job));
}

void UpdateScheduler::abortDownloads()
{
    if (m_running > 0)
        m_abort->set();
}

void UpdateScheduler::waitForWorkers()
{
    m_pool->waitUntilIdle();
}

bool UpdateScheduler::shutdown(std::chrono::milliseconds bound)
{
    m_abort->set();
    return m_pool->waitUntilIdle(bound);
}

void UpdateScheduler::handleDownloadEvent(DownloadEvent& event)
{
    if (event.test) {
        handleTestEvent(event);
        return;
    }
    if (event.kind == DownloadEventKind::Started)
        ++m_running;
    if (event.isFinal()) {
        --m_running;
        holdBackImplausible(event);
    }
    const bool itemGoesOn = m_followUps.handle(event, m_document, m_abort->isSet());
    if (event.isFinal() && !itemGoesOn) {
        applyUpdate(event);
        showFailedPage(event);
    }
    if (m_observer)
        m_observer(event);
    if (event.isFinal() && m_running == 0 && m_pendingUpdates == 0 && m_downloadsEnded)
        m_downloadsEnded();
}

void UpdateScheduler::handleTestEvent(DownloadEvent& event)
{
    if (!event.isFinal()) {
        if (m_testBusy)
            m_testBusy(true);
        return;
    }
    --m_pendingTests;
    if (m_testBusy)
        m_testBusy(m_pendingTests > 0);
    const bool found = event.kind == DownloadEventKind::Result;
    if (m_testReport)
        m_testReport({found ? TestReport::Information : TestReport::Warning, testMessage(event)});
    showFailedPage(event);
}

std::string UpdateScheduler::testMessage(const DownloadEvent& event)
{
    char value[64] = "";
    switch (event.kind) {
    case DownloadEventKind::Result:
        if (event.quotation)
            std::snprintf(value, sizeof value, "%2.4f", event.quotation->value);
        return "Quotation for '" + event.itemName + "':\nValue: " + value +
            "\nDate/Time: " + (event.quotation ? localTimeText(event.quotation->time) : std::string()) + "\n";
    case DownloadEventKind::QuotationNotFound:
    case DownloadEventKind::InvalidValue:
    case DownloadEventKind::TextNotFound: {
        // A JSON rule's excerpt is a bare detail (a byte offset, a path); its status text says what it means.
        const bool json =
            event.extractStatus == ExtractStatus::PageNotJson || event.extractStatus == ExtractStatus::JsonPathNotFound;
        return "Quotation for '" + event.itemName + "' not found!\n" + (json ? event.statusText() : event.excerpt) +
            "\n";
    }
    default:
        return "Download error:\nItem: " + event.itemName + "\nURL: " + event.url + "\n" + event.statusText();
    }
}

void UpdateScheduler::showFailedPage(DownloadEvent& event)
{
    const QString page = QString::fromStdString(event.convertedFile.path());
    if (!m_showFileOnError || !m_showFile || !page.endsWith(".tmp"))
        return;
    const QString shown = page.left(page.size() - 4) + ".TXT";
    QFile::remove(shown);
    if (!QFile::rename(page, shown))
        return;
    event.convertedFile.release();
    m_showFile(shown.toStdString());
}

void UpdateScheduler::holdBackImplausible(DownloadEvent& event) const
{
    const int pos = event.itemRef ? m_document.positionOf(*event.itemRef) : -1;
    if (m_settings.guardPercent <= 0 || event.kind != DownloadEventKind::Result || !event.quotation || pos < 0)
        return;
    const PortfolioItem& item = m_document.item(pos);
    const double last = item.lastValue().value_or(0.0);
    const double value = PortfolioDocument::centsCorrected(item, event.quotation->value);
    // Without a newest value there is nothing to compare with.
    if (last == 0 || std::fabs(value / last - 1) * 100 <= m_settings.guardPercent)
        return;
    event.kind = DownloadEventKind::Implausible;
    event.quotation->value = value;
    event.lastValue = last;
}

void UpdateScheduler::applyUpdate(const DownloadEvent& event)
{
    const int pos = event.itemRef ? m_document.positionOf(*event.itemRef) : -1;
    const bool alarmBefore = pos >= 0 && alarmTriggered(m_document.item(pos));
    const bool stored = event.kind == DownloadEventKind::Result && event.quotation && pos >= 0 && !m_abort->isSet() &&
        m_document.applyDownloadedQuotation(*event.itemRef, event.quotation->value, event.quotation->time);
    if (stored)
        ++m_stored;
    if (pos >= 0)
        noteOutcome(event, pos, stored, alarmBefore);
    clearMark(event.itemRef);
    --m_pendingUpdates;
    if (m_pendingUpdates == 0)
        m_abort->clear();
}

void UpdateScheduler::noteOutcome(const DownloadEvent& event, int pos, bool stored, bool alarmBefore)
{
    const PortfolioItem& item = m_document.item(pos);
    if (stored) {
        m_health.push_back({item.name, true, std::time(nullptr), {}, event.excerpt, event.followUp.servedBy});
        if (!alarmBefore && m_alarm) {
            const std::string condition = alarmCondition(item);
            if (!condition.empty())
                m_alarm(formatText("%s: %s", item.name.c_str(), condition.c_str()));
        }
    } else if (event.kind != DownloadEventKind::Result && event.kind != DownloadEventKind::Aborted) {
        m_health.push_back({item.name, false, std::time(nullptr), FollowUpDownloads::failureText(event), {}, {}});
    }
}

std::vector<RuleHealth::Outcome> UpdateScheduler::takeHealthOutcomes()
{
    return std::exchange(m_health, {});
}

void UpdateScheduler::clearMark(std::optional<ItemId> id)
{
    if (id)
        m_document.setUpdating(*id, false);
}

void UpdateScheduler::setEventObserver(std::function<void(const DownloadEvent&)> observer)
{
    m_observer = std::move(observer);
}

void UpdateScheduler::setDownloadsEndedHandler(std::function<void()> handler)
{
    m_downloadsEnded = std::move(handler);
}

void UpdateScheduler::setTestBusyHandler(std::function<void(bool)> handler)
{
    m_testBusy = std::move(handler);
}

void UpdateScheduler::setTestReportHandler(std::function<void(const TestReport&)> handler)
{
    m_testReport = std::move(handler);
}

void UpdateScheduler::setAlarmHandler(std::function<void(const std::string& notice)> handler)
{
    m_alarm = std::move(handler);
}

void UpdateScheduler::setShowFileOnError(bool show, std::function<void(const std::string& path)> showFile)
{
    m_showFileOnError = show;
    m_showFile = std::move(showFile);
}
