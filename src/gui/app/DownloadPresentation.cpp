// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/DownloadPresentation.h"

#include "core/settings/RuleHealth.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/StatusPanes.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/AppIcons.h"

#include <QMenu>
#include <QSystemTrayIcon>

DownloadPresentation::DownloadPresentation(UpdateController& updates, DocumentCommands& documents,
                                           PortfolioListView& list, StatusPanes& panes, bool unattended,
                                           QWidget* window)
    : QObject(window), m_updates(updates), m_documents(documents), m_list(list), m_panes(panes),
      m_unattended(unattended), m_window(window), m_statusWindow(new DownloadsWindow(window))
{
    setObjectName(QStringLiteral("downloadPresentation"));
    m_statusWindow->setObjectName(QStringLiteral("downloadsWindow"));
    connect(m_statusWindow, &DownloadsWindow::abortRequested, this, &DownloadPresentation::abortRequested);
}

void DownloadPresentation::setDownloadStatus(bool downloadStatus)
{
    m_downloadStatus = downloadStatus;
    m_statusWindow->setOptions(downloadStatus);
}

void DownloadPresentation::showDownloadEvent(const DownloadEvent& event)
{
    if (event.kind == DownloadEventKind::Started) {
        if (!m_unattended && m_downloadStatus) {
            m_statusWindow->setDocumentTitle(m_documents.title(), m_updates.abortRequested());
            m_statusWindow->show();
        }
        m_statusWindow->setAbortEnabled(!m_updates.abortRequested());
    }
    m_panes.setDownloadCount(m_updates.runningDownloads());
    m_statusWindow->showDownloadEvent(event);
    refreshTrayTip();
    if (m_updates.runningDownloads() == 0) {
        m_statusWindow->setDocumentTitle(m_documents.title(), false);
        m_statusWindow->setAbortEnabled(false);
    }
}

void DownloadPresentation::downloadsEnded()
{
    recordRuleHealth();
    if (m_tray)
        m_tray->setIcon(AppIcons::application());
}

void DownloadPresentation::showAborting()
{
    m_statusWindow->setDocumentTitle(m_documents.title(), true);
    m_statusWindow->setAbortEnabled(false);
    if (m_tray)
        m_tray->setIcon(AppIcons::abortTray());
}

void DownloadPresentation::documentReplaced()
{
    m_statusWindow->clearRows();
    m_statusWindow->setDocumentTitle(m_documents.title(), false);
    loadRuleHealth();
}

void DownloadPresentation::toggleWindow()
{
    if (m_statusWindow->isVisible()) {
        m_statusWindow->hide();
        return;
    }
    m_statusWindow->setDocumentTitle(m_documents.title(), m_updates.abortRequested());
    m_statusWindow->show();
    m_statusWindow->raise();
    m_statusWindow->activateWindow();
}

bool DownloadPresentation::windowVisible() const
{
    return m_statusWindow->isVisible();
}

void DownloadPresentation::hideWindow()
{
    m_statusWindow->hide();
}

void DownloadPresentation::saveColumns() const
{
    m_statusWindow->saveColumns();
}

void DownloadPresentation::recordRuleHealth()
{
    const std::vector<RuleHealth::Outcome> outcomes = m_updates.takeHealthOutcomes();
    // An untitled portfolio has no file to keep the record under.
    if (outcomes.empty() || m_documents.path().isEmpty())
        return;
    RuleHealth::record(m_documents.path().toStdString(), outcomes);
    loadRuleHealth();
}

void DownloadPresentation::loadRuleHealth()
{
    const QString path = m_documents.path();
    m_list.setRuleHealth(path.isEmpty() ? std::map<std::string, RuleHealth>() : RuleHealth::read(path.toStdString()));
}

void DownloadPresentation::addTrayIcon(const QString& tip)
{
    m_tray = new QSystemTrayIcon(AppIcons::application(), this);
    m_tray->setObjectName(QStringLiteral("downloadTray"));
    m_tray->setToolTip(tip.left(63));
    auto* menu = new QMenu(m_window);
    menu->addAction(tr("Connection &status..."), this, &DownloadPresentation::windowToggleRequested);
    menu->addAction(tr("&Close"), this, &DownloadPresentation::abortRequested);
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            emit windowToggleRequested();
    });
    m_tray->show();
}

void DownloadPresentation::refreshTrayTip()
{
    if (!m_tray)
        return;
    const int count = m_updates.runningDownloads();
    const QString title = m_documents.title();
    if (count == 1)
        m_tray->setToolTip(tr("%1 (1 Download)").arg(title));
    else if (count > 1)
        m_tray->setToolTip(tr("%1 (%2 Downloads)").arg(title).arg(count));
    else
        m_tray->setToolTip(tr("%1 (End)").arg(title));
}
