// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/AbortSignal.h"
#include "core/download/DownloadEvent.h"
#include "core/download/DownloadPool.h"
#include "core/download/DownloadSettings.h"
#include "core/download/EventSink.h"
#include "core/download/FollowUpDownloads.h"
#include "core/model/PortfolioDocument.h"
#include "core/servers/ServerConfig.h"
#include "core/settings/RuleHealth.h"

#include <chrono>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct DownloadJob;

// Turns update commands into download jobs, counts the running downloads and applies the results to the
// document. Everything here runs on the thread that owns the document; workers post their events to the
// receiver given at construction, whose owner hands each one back to handleDownloadEvent on that thread.
class UpdateScheduler {
public:
    using ItemId = PortfolioDocument::ItemId;

    // What a test update shows the user.
    struct TestReport {
        enum Icon { Information, Warning };
        Icon icon = Information;
        // "Quotation for '%s':\nValue: ..." and the other message-box texts.
        std::string message;
    };

    // Up to the document's numberDownloads() update downloads run at a time.
    UpdateScheduler(PortfolioDocument& document, std::shared_ptr<EventSink> receiver, DownloadSettings settings = {});
    // Aborts the downloads still running and waits for their workers.
    ~UpdateScheduler();
    UpdateScheduler(const UpdateScheduler&) = delete;
    UpdateScheduler& operator=(const UpdateScheduler&) = delete;

    // Starts the downloads for `items` in order, skipping marked items and the invested-amount-history item.
    // Items whose addresses expand to the same text share one download. Without `date` the reference time
    // is the time a worker starts; with one, missing pages make the worker look back.
    // Returns the number of jobs started.
    int startUpdate(const std::vector<ItemId>& items, std::optional<time_t> date = std::nullopt);
    // Runs `config` for an item named `name` with symbol `symbol`; the outcome only reaches the test report.
    void startTest(const std::string& name, const std::string& symbol, const ServerConfig& config);
    // Only while downloads run: workers end with Aborted and results still arriving are discarded.
    void abortDownloads();
    // The page the scheduler shows is taken out of the event; the caller's dropping the event deletes the rest.
    void handleDownloadEvent(DownloadEvent& event);

    // Tasks that have posted Started and not yet their final event.
    int runningDownloads() const { return m_running; }
    bool abortRequested() const { return m_abort->isSet(); }
    // Update tasks created and not yet ended (their items carry the update mark).
    int pendingUpdates() const { return m_pendingUpdates; }
    bool testRunning() const { return m_pendingTests > 0; }
    // Quotations stored in the document through this scheduler.
    int storedQuotations() const { return m_stored; }
    // How each update ended since the last call, for the rule health; aborted and dropped results are left out.
    std::vector<RuleHealth::Outcome> takeHealthOutcomes();
    // Blocks until every job started here has ended and released its receiver; their events may still wait
    // there.
    void waitForWorkers();
    // For the end of the program: aborts everything and waits up to `bound`; false when a job still runs.
    bool shutdown(std::chrono::milliseconds bound);

    // Every update event after it was counted and applied: the status window, the panes, the tray tip.
    void setEventObserver(std::function<void(const DownloadEvent&)> observer);
    // The running count is 0 and no update task is left: the unattended mode saves and quits here.
    void setDownloadsEndedHandler(std::function<void()> handler);
    // A test runs (true on each of its events) or has ended (false): the busy pointer.
    void setTestBusyHandler(std::function<void(bool)> handler);
    void setTestReportHandler(std::function<void(const TestReport&)> handler);
    // A stored quotation turned an item's alarm test on: "%s: %s" with its name and the condition.
    void setAlarmHandler(std::function<void(const std::string& notice)> handler);
    // The page of an update or test whose quotation was not found: with `showFileOnError` and a handler, the
    // file is renamed to end in ".TXT" and handed to the handler (the desktop's "open" action); otherwise it goes
    // with the event.
    void setShowFileOnError(bool show, std::function<void(const std::string& path)> showFile);
    // From the next result on; 0 turns the guard off.
    void setGuardPercent(int percent) { m_settings.guardPercent = percent; }

    static std::string testMessage(const DownloadEvent& event);

private:
    struct Prepared;
    // The item's job entry; none for an item that is gone, already updating or has no rules of its own.
    std::optional<Prepared> prepare(ItemId id, std::map<std::string, ServerConfig>& servers) const;
    void startJob(std::unique_ptr<DownloadJob> job);
    void handleTestEvent(DownloadEvent& event);
    // Turns a result too far from the item's newest quotation into an Implausible failure.
    void holdBackImplausible(DownloadEvent& event) const;
    void applyUpdate(const DownloadEvent& event);
    void noteOutcome(const DownloadEvent& event, int pos, bool stored, bool alarmBefore);
    void clearMark(std::optional<ItemId> id);
    void showFailedPage(DownloadEvent& event);

    PortfolioDocument& m_document;
    std::shared_ptr<EventSink> m_receiver;
    DownloadSettings m_settings;
    std::shared_ptr<AbortSignal> m_abort;
    std::unique_ptr<DownloadPool> m_pool;
    FollowUpDownloads m_followUps;
    int m_running = 0;
    int m_pendingUpdates = 0;
    int m_pendingTests = 0;
    int m_stored = 0;
    bool m_showFileOnError = false;
    std::function<void(const DownloadEvent&)> m_observer;
    std::function<void()> m_downloadsEnded;
    std::function<void(bool)> m_testBusy;
    std::function<void(const TestReport&)> m_testReport;
    std::function<void(const std::string&)> m_showFile;
    std::function<void(const std::string&)> m_alarm;
    std::vector<RuleHealth::Outcome> m_health;
};
