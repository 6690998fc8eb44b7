#pragma once

#include "core/model/PortfolioDocument.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/SettingsKeys.h"
#include "gui/app/MainActions.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class AlarmNotices;
class DownloadsWindow;
class ChartView;
class PortfolioListView;
class DocumentCommands;
class ItemCommands;
class ItemSheetCommands;
class PrintCommands;
class ServerDialogCommands;
class QSplitter;
class QSystemTrayIcon;
class StatusPanes;
class UpdateController;
struct DownloadEvent;

// The application's window: the portfolio list above the chart in a splitter, toolbar, four status panes, the
// downloads window, the automatic update timer and, in unattended mode, the tray icon.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const GeneralOptions& options, bool unattended, QWidget* parent = nullptr);
    ~MainWindow() override;

    PortfolioDocument& document() { return *m_doc; }
    PortfolioListView* listView() const { return m_list; }
    ChartView* chartView() const { return m_chart; }
    PrintCommands* printing() const { return m_printing; }
    QSplitter* splitter() const { return m_splitter; }
    DownloadsWindow* statusWindow() const { return m_statusWindow; }
    StatusPanes* statusPanes() const { return m_panes; }
    UpdateController* updates() const { return m_updates; }
    DocumentCommands* documents() const { return m_documents; }
    ItemCommands* items() const { return m_items; }
    ItemSheetCommands* itemSheets() const { return m_sheets; }
    const MainActions& actions() const { return m_actions; }
    const GeneralOptions& options() const { return m_options; }
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    AlarmNotices* alarmNotices() const { return m_notices; }
    QTimer& autoUpdateTimer() { return m_autoUpdate; }

    // Starts the periodic update (0 stops it).
    void setAutoUpdateTimer(int minutes);
    void onAutoUpdateTick(time_t now);
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

    static QString aboutText();
    // The program's home page, a setting ("Application"/"HomePage").
    static QString homePageAddress();
    static constexpr const char* kDefaultHomePage = SettingsKeys::kDefaultHomePage;
    // A help page beside the program (build tree, Windows), else in ../share/tickora/help from it.
    static QString helpPagePath(const QString& fileName);

    // Reads "MainWindow"/"Dimensions": left, top, right, bottom; false when it does not hold four numbers.
    static bool parseDimensions(const QString& text, QRect& geometry);

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
    void connectHelpActions();
    void connectChart();
    void restoreGeometryFromSettings();
    // The stored rectangle is the frame's: once the window manager has framed the window, the
    // client area is shrunk by the frame so that the frame lands where it was.
    void fitStoredFrame(int attemptsLeft);
    void handleDownloadEvent(const DownloadEvent& event);
    void refreshTrayTip();
    void onDownloadsEnded();
    // Adds the ended updates to the rule health of the portfolio's file and shows it in the list.
    void recordRuleHealth();
    void loadRuleHealth();
    void showOptions();
    void exportServers();
    void showAbout();
    void openHelpPage(const QString& fileName);

    GeneralOptions m_options;
    bool m_unattended;
    std::unique_ptr<PortfolioDocument> m_doc;
    int m_docListener = 0;
    QSplitter* m_splitter;
    PortfolioListView* m_list;
    ChartView* m_chart;
    MainActions m_actions;
    StatusPanes* m_panes;
    DownloadsWindow* m_statusWindow;
    UpdateController* m_updates;
    DocumentCommands* m_documents;
    ItemCommands* m_items;
    ItemSheetCommands* m_sheets;
    PrintCommands* m_printing;
    ServerDialogCommands* m_serverDialogs;
    QSystemTrayIcon* m_tray = nullptr;
    AlarmNotices* m_notices;
    QTimer m_autoUpdate;
    int m_listHeight = 150;
    QRect m_storedFrame;
    bool m_shown = false;
};
