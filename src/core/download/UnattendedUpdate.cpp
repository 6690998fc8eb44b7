// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/UnattendedUpdate.h"

#include "core/base/FormatText.h"
#include "core/download/EventQueue.h"
#include "core/download/FollowUpDownloads.h"
#include "core/download/UpdateScheduler.h"

#include <algorithm>
#include <chrono>

namespace {

std::string oneLine(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return text;
}

// The value as the document stored it (after the cents correction), none when the result was dropped.
std::optional<double> storedValue(const PortfolioDocument& doc, const DownloadEvent& event)
{
    const int pos = event.itemRef ? doc.positionOf(*event.itemRef) : -1;
    if (pos < 0 || !event.quotation || event.kind != DownloadEventKind::Result)
        return std::nullopt;
    const std::vector<Quotation>& history = doc.item(pos).quotations;
    const auto found = std::find_if(history.begin(), history.end(),
                                    [&](const Quotation& k) { return k.time == event.quotation->time; });
    if (found == history.end())
        return std::nullopt;
    return found->value;
}

std::optional<UnattendedUpdate::Line> lineFor(const PortfolioDocument& doc, const DownloadEvent& event,
                                              UnattendedUpdate::Lines lines)
{
    const bool all = lines == UnattendedUpdate::Lines::All;
    const char* name = event.itemName.c_str();
    // A fallback or cross-check download belongs to an item already reported as started.
    if (event.kind == DownloadEventKind::Started && event.followUp.server.empty())
        return all ? std::optional(UnattendedUpdate::Line{
                         oneLine(formatText("%s: %s", name, event.statusText().c_str())), true, false})
                   : std::nullopt;
    if (!event.isFinal() || event.followUp.continued)
        return std::nullopt;
    if (const std::optional<double> value = storedValue(doc, event))
        return all ? std::optional(UnattendedUpdate::Line{
                         formatText("%s: %.4f%s", name, *value, event.followUp.resultNote.c_str()), false, false})
                   : std::nullopt;
    const std::string status =
        event.kind == DownloadEventKind::Result ? "Result discarded" : FollowUpDownloads::failureText(event);
    return UnattendedUpdate::Line{oneLine(formatText("%s: %s", name, status.c_str())), false, true};
}

} // namespace

namespace UnattendedUpdate {

Outcome run(PortfolioDocument& doc, std::vector<PortfolioDocument::ItemId> ids, std::optional<time_t> date,
            const DownloadSettings& settings, Lines lines, const std::function<void(const Line&)>& report,
            const std::function<bool()>& stopRequested)
{
    if (ids.empty())
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            ids.push_back(doc.itemId(pos));
    // Only the start and the end of each item make its lines; every other event would wake this thread.
    auto queue = std::make_shared<EventQueue>(EventQueue::StatusEvents::Skipped);
    UpdateScheduler scheduler(doc, queue, settings);
    Outcome outcome;
    scheduler.setAlarmHandler([&outcome](const std::string& notice) { outcome.alarms.push_back(notice); });
    outcome.jobs = scheduler.startUpdate(ids, date);
    while (scheduler.pendingUpdates() > 0 || scheduler.runningDownloads() > 0) {
        // Asked on every turn: jobs still waiting for a download slot start later.
        if (stopRequested && stopRequested())
            scheduler.abortDownloads();
        for (DownloadEvent& event : queue->takeAll(std::chrono::milliseconds(200))) {
            scheduler.handleDownloadEvent(event);
            if (const std::optional<Line> line = lineFor(doc, event, lines)) {
                outcome.allFound = outcome.allFound && !line->failure;
                report(*line);
            }
        }
    }
    outcome.stored = scheduler.storedQuotations();
    outcome.health = scheduler.takeHealthOutcomes();
    return outcome;
}

} // namespace UnattendedUpdate
