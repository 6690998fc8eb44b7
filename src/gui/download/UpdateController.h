// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/UpdateScheduler.h"
#include "core/model/PortfolioDocument.h"

#include <QObject>

#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

class QWidget;

// The GUI side of the update scheduler: events reach it on the GUI thread, test outcomes become
// message boxes, and every update event is passed on to the windows that show it.
class UpdateController : public QObject {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;

    UpdateController(PortfolioDocument& doc, bool showFileOnError, QWidget* dialogParent);
    ~UpdateController() override;

    int startUpdate(const std::vector<ItemId>& items, time_t referenceTime, bool dateGiven);
    int startUpdateAll();
    void startTest(ItemId item);
    // A test with rules that are not stored yet (the property sheet's).
    void startTest(const std::string& name, const std::string& symbol, const ServerConfig& rules);
    void abort();
    // The page of a failed search opens as a ".TXT" file (never in the unattended mode).
    void setShowFileOnError(bool show);
    void setGuardPercent(int percent) { m_scheduler->setGuardPercent(percent); }

    int runningDownloads() const { return m_scheduler->runningDownloads(); }
    bool abortRequested() const { return m_scheduler->abortRequested(); }
    int pendingUpdates() const { return m_scheduler->pendingUpdates(); }
    std::vector<RuleHealth::Outcome> takeHealthOutcomes() { return m_scheduler->takeHealthOutcomes(); }
    // At the end of the program: aborts the downloads and waits up to `bound` for them; false when one is
    // still blocked.
    bool shutdown(std::chrono::milliseconds bound) { return m_scheduler->shutdown(bound); }

signals:
    // Items were marked for download: commands that wait for the downloads change state now.
    void updatesStarted();
    void downloadEvent(const DownloadEvent& event);
    void downloadsEnded();
    // "%s: %s": an update turned this item's alarm on.
    void alarmTriggered(const QString& notice);

private:
    void showTestReport(const UpdateScheduler::TestReport& report);

    PortfolioDocument& m_doc;
    QWidget* m_dialogParent;
    std::unique_ptr<UpdateScheduler> m_scheduler;
    bool m_busyCursor = false;
};
