// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class DocumentCommands;
class DownloadsWindow;
class PortfolioListView;
class QSystemTrayIcon;
class QWidget;
class StatusPanes;
class UpdateController;
struct DownloadEvent;

// How running downloads show: the Downloads window, the tray icon of unattended mode, the status bar's
// download count, and the rule-health marks in the list once they end.
class DownloadPresentation : public QObject {
    Q_OBJECT
public:
    DownloadPresentation(UpdateController& updates, DocumentCommands& documents, PortfolioListView& list,
                         StatusPanes& panes, bool unattended, QWidget* window);

    // DownloadStatus: the Downloads window opens with the first download and closes after the last.
    void setDownloadStatus(bool downloadStatus);
    void showDownloadEvent(const DownloadEvent& event);
    void downloadsEnded();
    void showAborting();
    void documentReplaced();
    void toggleWindow();
    bool windowVisible() const;
    void hideWindow();
    void saveColumns() const;
    void addTrayIcon(const QString& tip);

signals:
    void abortRequested();
    void windowToggleRequested();

private:
    void refreshTrayTip();
    // Adds the ended updates to the rule health of the portfolio's file and shows it in the list.
    void recordRuleHealth();
    void loadRuleHealth();

    UpdateController& m_updates;
    DocumentCommands& m_documents;
    PortfolioListView& m_list;
    StatusPanes& m_panes;
    bool m_unattended;
    bool m_downloadStatus = true;
    QWidget* m_window;
    DownloadsWindow* m_statusWindow;
    QSystemTrayIcon* m_tray = nullptr;
};
