// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/download/UpdateController.h"

#include "core/model/ItemRules.h"
#include "gui/download/GuiEventSink.h"
#include "gui/widgets/MessageDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

UpdateController::UpdateController(PortfolioDocument& doc, bool showFileOnError, QWidget* dialogParent)
    : QObject(dialogParent), m_doc(doc), m_dialogParent(dialogParent)
{
    auto sink =
        std::make_shared<GuiEventSink>(this, [this](DownloadEvent& event) { m_scheduler->handleDownloadEvent(event); });
    m_scheduler = std::make_unique<UpdateScheduler>(doc, sink, DownloadSettings::read());
    m_scheduler->setEventObserver([this](const DownloadEvent& event) { emit downloadEvent(event); });
    m_scheduler->setDownloadsEndedHandler([this] { emit downloadsEnded(); });
    m_scheduler->setAlarmHandler(
        [this](const std::string& notice) { emit alarmTriggered(QString::fromStdString(notice)); });
    m_scheduler->setTestReportHandler([this](const UpdateScheduler::TestReport& report) { showTestReport(report); });
    m_scheduler->setTestBusyHandler([this](bool busy) {
        if (busy == m_busyCursor)
            return;
        m_busyCursor = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    setShowFileOnError(showFileOnError);
}

void UpdateController::setShowFileOnError(bool show)
{
    m_scheduler->setShowFileOnError(show, [](const std::string& path) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    });
}

UpdateController::~UpdateController()
{
    if (m_busyCursor)
        QApplication::restoreOverrideCursor();
}

int UpdateController::startUpdate(const std::vector<ItemId>& items, time_t referenceTime, bool dateGiven)
{
    const int jobs = m_scheduler->startUpdate(items, dateGiven ? std::optional<time_t>(referenceTime) : std::nullopt);
    emit updatesStarted();
    return jobs;
}

int UpdateController::startUpdateAll()
{
    std::vector<ItemId> all;
    for (int pos = 0; pos < m_doc.itemCount(); ++pos)
        all.push_back(m_doc.itemId(pos));
    const int jobs = m_scheduler->startUpdate(all);
    emit updatesStarted();
    return jobs;
}

void UpdateController::startTest(ItemId item)
{
    const int pos = m_doc.positionOf(item);
    if (pos < 0)
        return;
    const PortfolioItem& entry = m_doc.item(pos);
    m_scheduler->startTest(entry.name, entry.symbol, resolveItemRules(entry));
}

void UpdateController::startTest(const std::string& name, const std::string& symbol, const ServerConfig& rules)
{
    m_scheduler->startTest(name, symbol, rules);
}

void UpdateController::abort()
{
    m_scheduler->abortDownloads();
}

void UpdateController::showTestReport(const UpdateScheduler::TestReport& report)
{
    const QString text = QString::fromStdString(report.message);
    if (report.icon == UpdateScheduler::TestReport::Information)
        MessageDialog::information(m_dialogParent, text);
    else
        MessageDialog::warning(m_dialogParent, text);
}
