// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "core/settings/GeneralOptions.h"
#include "gui/app/MainActions.h"

#include <QMainWindow>

#include <memory>

class AlarmNotices;
class AutoUpdateTimer;
class ChartView;
class DocumentCommands;
class DownloadPresentation;
class ExtrasCommands;
class HelpCommands;
class ItemCommands;
class ItemSheetCommands;
class PortfolioListView;
class PrintCommands;
class QSplitter;
class ServerDialogCommands;
class StatusPanes;
class UpdateController;
class WindowPlacement;

// The application's window: the portfolio list above the chart in a splitter, toolbar, four status panes, the
// downloads' presentation and the automatic update timer.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const GeneralOptions& options, bool unattended, QWidget* parent = nullptr);
    ~MainWindow() override;

    PortfolioDocument& document() { return *m_doc; }
    PortfolioListView* listView() const { return m_list; }
    UpdateController* updates() const { return m_updates; }
    DocumentCommands* documents() const { return m_documents; }
    const GeneralOptions& options() const { return m_options; }

    void updateAll();
    void abortDownloads();
    void toggleStatusWindow();
    void saveLayout();
    void applyOptions(const GeneralOptions& options);
    void addTrayIcon(const QString& tip);
    void refreshCommandStates();
    // F6 and Shift+F6: the keyboard focus goes to the other pane.
    void switchPane();
    void editComparisonLimits();
    // The "Amount invested" line in its percent form, in a message box.
    void showInvestedSummary();
    // New and Open wait until no item is being updated.
    bool downloadsIdle() const;
    QString documentTitle() const;

signals:
    // Unattended mode: the last download ended and the portfolio was saved (or not).
    void unattendedFinished(bool saved);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void connectActions();
    void connectDownloads();
    void connectChart();
    void nameChildren();
    void onDownloadsEnded();

    GeneralOptions m_options;
    bool m_unattended;
    std::unique_ptr<PortfolioDocument> m_doc;
    int m_docListener = 0;
    QSplitter* m_splitter;
    PortfolioListView* m_list;
    ChartView* m_chart;
    MainActions m_actions;
    StatusPanes* m_panes;
    UpdateController* m_updates;
    DocumentCommands* m_documents;
    DownloadPresentation* m_downloads;
    ItemCommands* m_items;
    ItemSheetCommands* m_sheets;
    PrintCommands* m_printing;
    ServerDialogCommands* m_serverDialogs;
    HelpCommands* m_help;
    ExtrasCommands* m_extras;
    AlarmNotices* m_notices;
    AutoUpdateTimer* m_autoUpdate;
    std::unique_ptr<WindowPlacement> m_placement;
};
