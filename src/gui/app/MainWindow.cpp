#include "gui/app/MainWindow.h"

#include "core/servers/ServerConfigExport.h"
#include "core/servers/ServerStore.h"
#include "core/settings/RuleHealth.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/OptionsDialog.h"
#include "gui/app/PrintCommands.h"
#include "gui/app/ServerDialogCommands.h"
#include "gui/app/StatusPanes.h"
#include "gui/download/AlarmNotices.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/download/UpdateController.h"
#include "gui/items/ItemCommands.h"
#include "gui/items/ItemSheetCommands.h"
#include "gui/views/ChartView.h"
#include "gui/views/ComparisonSettingsDialog.h"
#include "gui/views/PortfolioListView.h"
#include "gui/views/PortfolioRowBuilder.h"
#include "gui/widgets/AppIcons.h"
#include "gui/widgets/FileDialog.h"
#include "gui/widgets/HelpPages.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QUrl>

MainWindow::MainWindow(const GeneralOptions& options, bool unattended, QWidget* parent)
    : QMainWindow(parent), m_options(options), m_unattended(unattended),
      m_doc(std::make_unique<PortfolioDocument>(options.NumberDownloads)),
      m_splitter(new QSplitter(Qt::Vertical, this)), m_list(new PortfolioListView(*m_doc, m_splitter)),
      m_chart(new ChartView(*m_doc, m_splitter)), m_actions(MainActions::create(this)),
      m_panes(new StatusPanes(statusBar())), m_statusWindow(new DownloadsWindow(this)),
      m_updates(new UpdateController(*m_doc, options.ShowFileOnError && !unattended, this)),
      m_documents(new DocumentCommands(*m_doc, options.AutosaveOnExit, this)),
      m_items(new ItemCommands(*m_doc, *m_list, *m_updates, this)),
      m_sheets(new ItemSheetCommands(
          *m_doc, m_updates, [this] { return m_list->focusedItem(); }, this)),
      m_printing(new PrintCommands(
          [this] {
              PrintRequest request;
              for (PortfolioDocument::ItemId id : m_list->selectedItems()) {
                  if (const int pos = m_doc->positionOf(id); pos >= 0)
                      request.items.push_back(&m_doc->item(pos));
              }
              request.comparison = m_chart->comparison();
              request.documentTitle = documentTitle();
              request.now = time(nullptr);
              return request;
          },
          this)),
      m_serverDialogs(new ServerDialogCommands(this)), m_notices(new AlarmNotices(unattended, this))
{
    setWindowIcon(AppIcons::application());
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_chart);
    m_splitter->setChildrenCollapsible(false);
    restoreGeometryFromSettings();
    setCentralWidget(m_splitter);
    setAcceptDrops(true);
    m_statusWindow->setOptions(options.DownloadStatus);
    m_updates->setGuardPercent(options.GuardPercent);
    m_list->setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(m_list, &PortfolioListView::contextMenuRequested, m_actions.listContextMenu,
            [this](const QPoint& globalPos) { m_actions.listContextMenu->popup(globalPos); });
    m_docListener = m_doc->addChangeListener([this](PortfolioDocument::ItemId id) {
        m_list->documentChanged(id);
        m_chart->documentChanged();
    });
    m_doc->newPortfolio();
    connectActions();
    connectHelpActions();
    connectChart();
    m_list->initialUpdate();
    if (m_options.Autoupdate)
        setAutoUpdateTimer(m_options.UpdateIntervall);
    connect(&m_autoUpdate, &QTimer::timeout, this, [this] { onAutoUpdateTick(time(nullptr)); });
    refreshCommandStates();
    setWindowTitle(tr("%1 - Tickora").arg(documentTitle()));
}

MainWindow::~MainWindow()
{
    m_doc->removeChangeListener(m_docListener);
    // The workers end first (aborted), while the document and the windows they report to still exist.
    delete m_updates;
}

QString MainWindow::documentTitle() const
{
    return m_documents->title();
}

void MainWindow::restoreGeometryFromSettings()
{
    QRect geometry;
    if (parseDimensions(SettingsStore::value(SettingsKey::MainWindowDimensions).toString(), geometry)) {
        m_storedFrame = geometry;
        move(geometry.topLeft());
        resize(geometry.size());
    } else {
        resize(900, 500);
    }
    m_listHeight = std::max(0, SettingsStore::value(SettingsKey::ListViewHeight).toInt());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The chart takes what the list leaves, now and when the window is resized.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({m_listHeight, std::max(1, m_splitter->height() - m_listHeight - m_splitter->handleWidth())});
    if (m_storedFrame.isValid())
        QTimer::singleShot(0, this, [this] { fitStoredFrame(50); });
}

void MainWindow::fitStoredFrame(int attemptsLeft)
{
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    if (frame == client && attemptsLeft > 0) {
        QTimer::singleShot(20, this, [this, attemptsLeft] { fitStoredFrame(attemptsLeft - 1); });
        return;
    }
    const QSize margins = frame.size() - client.size();
    resize(m_storedFrame.size() - margins);
    move(m_storedFrame.topLeft());
}

bool MainWindow::parseDimensions(const QString& text, QRect& geometry)
{
    const QStringList pieces = text.split(QLatin1Char(','));
    if (pieces.size() != 4)
        return false;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = pieces[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    if (values[2] <= values[0] || values[3] <= values[1])
        return false;
    geometry = QRect(QPoint(values[0], values[1]), QPoint(values[2] - 1, values[3] - 1));
    return true;
}

void MainWindow::saveLayout()
{
    const QRect frame = frameGeometry();
    const int right = frame.x() + frame.width();
    const int bottom = frame.y() + frame.height();
    if (frame.x() > 0 && frame.y() > 0 && right > 0 && bottom > 0 && !isMaximized()) {
        SettingsStore::setValue(SettingsKey::MainWindowDimensions,
                                QStringLiteral("%1,%2,%3,%4").arg(frame.x()).arg(frame.y()).arg(right).arg(bottom));
    }
    m_listHeight = m_splitter->sizes().value(0, m_listHeight);
    SettingsStore::setValue(SettingsKey::ListViewHeight, m_listHeight);
    m_statusWindow->saveColumns();
    m_chart->saveSettings();
    m_list->saveLayout();
}

void MainWindow::connectActions()
{
    const MainActions& a = m_actions;
    connect(a.fileNew, &QAction::triggered, m_documents, &DocumentCommands::newPortfolio);
    connect(a.fileOpen, &QAction::triggered, m_documents, &DocumentCommands::openWithDialog);
    connect(a.fileSave, &QAction::triggered, m_documents, &DocumentCommands::save);
    connect(a.fileSaveAs, &QAction::triggered, m_documents, &DocumentCommands::saveAs);
    connect(a.restoreBackup, &QAction::triggered, m_documents, &DocumentCommands::restoreFromBackup);
    connect(a.updateAll, &QAction::triggered, this, &MainWindow::updateAll);
    connect(a.exportQuotations, &QAction::triggered, m_documents, &DocumentCommands::exportQuotations);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.insertItem, &QAction::triggered, m_sheets, &ItemSheetCommands::createItemWithSheet);
    connect(a.properties, &QAction::triggered, m_sheets, &ItemSheetCommands::properties);
    connect(a.showQuotations, &QAction::triggered, m_sheets, &ItemSheetCommands::showQuotations);
    connect(m_list, &QAbstractItemView::doubleClicked, a.properties, &QAction::trigger);
    connect(m_sheets, &ItemSheetCommands::serverWizardRequested, m_serverDialogs, &ServerDialogCommands::runWizard);
    connect(m_sheets, &ItemSheetCommands::serverEditRequested, m_serverDialogs, &ServerDialogCommands::edit);
    connect(a.deleteItem, &QAction::triggered, m_items, &ItemCommands::deleteSelected);
    connect(a.cut, &QAction::triggered, m_items, &ItemCommands::cutSelected);
    connect(a.copy, &QAction::triggered, m_items, &ItemCommands::copySelected);
    connect(a.paste, &QAction::triggered, m_items, &ItemCommands::paste);
    connect(a.updateQuotation, &QAction::triggered, m_items, &ItemCommands::updateSelected);
    connect(a.updateQuotationInList, &QAction::triggered, m_items, &ItemCommands::updateSelected);
    connect(a.updateOnDate, &QAction::triggered, m_items, &ItemCommands::updateSelectedOnDate);
    connect(a.manualUpdate, &QAction::triggered, m_items, &ItemCommands::manualUpdate);
    connect(a.testUpdate, &QAction::triggered, m_items, &ItemCommands::testUpdate);
    connect(a.openWebPage, &QAction::triggered, m_items, &ItemCommands::openWebPage);
    connect(a.importQuotations, &QAction::triggered, m_items, &ItemCommands::importQuotations);
    connect(a.compareAll, &QAction::triggered, m_list, &PortfolioListView::compareAll);
    connect(a.abortDownloads, &QAction::triggered, this, &MainWindow::abortDownloads);
    connect(a.percentual, &QAction::triggered, m_list, &PortfolioListView::setPercentual);
    connect(a.refresh, &QAction::triggered, m_list, &PortfolioListView::fill);
    connect(a.saveViewOptions, &QAction::triggered, this, &MainWindow::saveLayout);
    connect(a.connectionStatus, &QAction::triggered, this, &MainWindow::toggleStatusWindow);
    connect(a.viewToolbar, &QAction::toggled, a.toolBar, &QWidget::setVisible);
    connect(a.viewStatusbar, &QAction::toggled, statusBar(), &QWidget::setVisible);
    a.viewToolbar->setChecked(true);
    a.viewStatusbar->setChecked(true);
    connect(a.options, &QAction::triggered, this, &MainWindow::showOptions);
    connect(a.exportServers, &QAction::triggered, this, &MainWindow::exportServers);
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);
    m_documents->bindRecentFileActions(a.recentFiles);
    connect(m_documents, &DocumentCommands::documentReplaced, this, [this] {
        m_statusWindow->clearRows();
        m_statusWindow->setDocumentTitle(documentTitle(), false);
        if (m_options.Autoupdate)
            setAutoUpdateTimer(m_options.UpdateIntervall);
        loadRuleHealth();
    });
    connect(m_documents, &DocumentCommands::titleChanged, this,
            [this] { setWindowTitle(tr("%1 - Tickora").arg(documentTitle())); });
    connect(m_list, &PortfolioListView::statusLineChanged, m_panes, &StatusPanes::setInvestedText);
    connect(m_list, &PortfolioListView::selectionPublished, this, &MainWindow::refreshCommandStates);
    connect(m_list, &PortfolioListView::statusLineChanged, this, &MainWindow::refreshCommandStates);
    connect(m_updates, &UpdateController::updatesStarted, this, &MainWindow::refreshCommandStates);
    connect(m_updates, &UpdateController::downloadEvent, this, &MainWindow::handleDownloadEvent);
    connect(m_updates, &UpdateController::downloadsEnded, this, &MainWindow::onDownloadsEnded);
    connect(m_updates, &UpdateController::alarmTriggered, m_notices, &AlarmNotices::show);
    connect(m_notices, &AlarmNotices::clicked, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
    m_sheets->setHealthWarning([this](PortfolioDocument::ItemId id) { return m_list->healthWarning(id); });
    connect(m_statusWindow, &DownloadsWindow::abortRequested, this, &MainWindow::abortDownloads);
    // Menus and the paste button show the command states of the moment they are used.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshCommandStates);
    connect(a.listContextMenu, &QMenu::aboutToShow, this, &MainWindow::refreshCommandStates);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::refreshCommandStates);
}

void MainWindow::connectChart()
{
    const MainActions& a = m_actions;
    m_chart->setContextMenus(a.chartContextMenu, a.comparisonContextMenu);
    connect(a.chartContextMenu, &QMenu::aboutToShow, this, &MainWindow::refreshCommandStates);
    connect(m_list, &PortfolioListView::selectionPublished, this,
            [this] { m_chart->setSelection(m_list->focusedItem(), m_list->selectedItems()); });
    connect(m_chart, &ChartView::statusText, this, [this](const QString& text) { statusBar()->showMessage(text); });
    connect(m_chart, &ChartView::quotationsRequested, this, [this](PortfolioDocument::ItemId, int record) {
        m_actions.chartDoubleClick->setData(record);
        m_actions.chartDoubleClick->trigger();
    });
    connect(a.chartProperties, &QAction::triggered, m_sheets, &ItemSheetCommands::chartProperties);
    connect(a.chartDoubleClick, &QAction::triggered, this,
            [this] { m_sheets->showQuotationAt(m_actions.chartDoubleClick->data().toInt()); });
    m_list->viewport()->installEventFilter(this);
    connect(a.nextPane, &QAction::triggered, this, &MainWindow::switchPane);
    connect(a.previousPane, &QAction::triggered, this, &MainWindow::switchPane);
    connect(a.comparisonLimits, &QAction::triggered, this, &MainWindow::editComparisonLimits);
    connect(a.print, &QAction::triggered, m_printing, &PrintCommands::print);
    connect(a.printPreview, &QAction::triggered, m_printing, &PrintCommands::printPreview);
    connect(a.printSetup, &QAction::triggered, m_printing, &PrintCommands::printSetup);
    connect(m_panes, &StatusPanes::investedDoubleClicked, this, &MainWindow::showInvestedSummary);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseMove)
        m_chart->removeMarker();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::switchPane()
{
    if (m_chart->hasFocus())
        m_list->setFocus(Qt::OtherFocusReason);
    else
        m_chart->setFocus(Qt::OtherFocusReason);
}

void MainWindow::editComparisonLimits()
{
    ComparisonSettingsDialog dialog(m_chart->comparison(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_chart->setComparison(dialog.settings());
}

void MainWindow::showInvestedSummary()
{
    MessageDialog::information(this, portfolioStatusLine(*m_doc, true));
}

void MainWindow::refreshCommandStates()
{
    const MainActions& a = m_actions;
    const bool idle = downloadsIdle();
    a.fileNew->setEnabled(idle);
    a.fileOpen->setEnabled(idle);
    for (QAction* recent : a.recentFiles)
        recent->setEnabled(idle);
    a.updateAll->setEnabled(m_doc->itemCount() > 1);
    a.exportQuotations->setEnabled(m_doc->itemCount() > 0);
    a.abortDownloads->setEnabled(m_updates->runningDownloads() > 0 && !m_updates->abortRequested());
    const bool ordinarySelected = m_list->hasSelectedOrdinaryItem();
    a.deleteItem->setEnabled(ordinarySelected);
    a.cut->setEnabled(ordinarySelected);
    a.copy->setEnabled(!m_list->selectedItems().empty());
    a.paste->setEnabled(ItemCommands::clipboardHasPortfolio());
    a.updateQuotation->setEnabled(ordinarySelected);
    a.updateQuotationInList->setEnabled(ordinarySelected);
    a.updateOnDate->setEnabled(ordinarySelected);
    a.manualUpdate->setEnabled(m_list->focusedItem() != 0);
    const PortfolioDocument::ItemId focused = m_list->focusedItem();
    a.properties->setEnabled(m_doc->positionOf(focused) >= 0 && !m_doc->isUpdating(focused));
    a.showQuotations->setEnabled(m_doc->positionOf(focused) >= 0);
    a.chartProperties->setEnabled(a.properties->isEnabled());
    a.chartDoubleClick->setEnabled(a.showQuotations->isEnabled());
    a.testUpdate->setEnabled(m_list->focusedIsOrdinary());
    a.openWebPage->setEnabled(m_list->focusedIsOrdinary());
    a.importQuotations->setEnabled(m_list->focusedIsOrdinary());
    a.compareAll->setEnabled(m_list->rowItems().size() >= 2);
    const bool rows = !m_list->rowItems().empty();
    a.print->setEnabled(rows);
    a.printPreview->setEnabled(rows);
    a.compareAll->setChecked(m_list->allRowsSelected());
    a.percentual->setChecked(m_list->percentual());
    a.connectionStatus->setChecked(m_statusWindow->isVisible());
}

bool MainWindow::downloadsIdle() const
{
    // Items waiting for a download slot count too: their results must not meet another portfolio.
    return m_updates->runningDownloads() == 0 && m_updates->pendingUpdates() == 0;
}

void MainWindow::updateAll()
{
    if (m_doc->itemCount() <= 1)
        return;
    m_updates->startUpdateAll();
    if (m_options.Autoupdate)
        setAutoUpdateTimer(m_options.UpdateIntervall);
}

void MainWindow::setAutoUpdateTimer(int minutes)
{
    if (minutes == 0) {
        m_autoUpdate.stop();
        return;
    }
    m_autoUpdate.start(minutes * 60000);
}

void MainWindow::onAutoUpdateTick(time_t now)
{
    if (!m_options.Autoupdate_Time) {
        updateAll();
        return;
    }
    const QDateTime current = QDateTime::fromSecsSinceEpoch(now);
    const QDateTime from(current.date(), QTime(m_options.Hour1, m_options.Minute1));
    const QDateTime to(current.date(), QTime(m_options.Hour2, m_options.Minute2));
    if (from <= current && current <= to)
        updateAll();
}

void MainWindow::abortDownloads()
{
    if (m_updates->runningDownloads() <= 0)
        return;
    m_statusWindow->setDocumentTitle(documentTitle(), true);
    m_statusWindow->setAbortEnabled(false);
    if (m_tray)
        m_tray->setIcon(AppIcons::abortTray());
    m_updates->abort();
    refreshCommandStates();
}

void MainWindow::toggleStatusWindow()
{
    if (m_statusWindow->isVisible()) {
        m_statusWindow->hide();
    } else {
        m_statusWindow->setDocumentTitle(documentTitle(), m_updates->abortRequested());
        m_statusWindow->show();
        m_statusWindow->raise();
        m_statusWindow->activateWindow();
    }
    m_actions.connectionStatus->setChecked(m_statusWindow->isVisible());
}

void MainWindow::handleDownloadEvent(const DownloadEvent& event)
{
    if (event.kind == DownloadEventKind::Started) {
        if (!m_unattended && m_options.DownloadStatus) {
            m_statusWindow->setDocumentTitle(documentTitle(), m_updates->abortRequested());
            m_statusWindow->show();
        }
        m_statusWindow->setAbortEnabled(!m_updates->abortRequested());
    }
    m_panes->setDownloadCount(m_updates->runningDownloads());
    m_statusWindow->showDownloadEvent(event);
    refreshTrayTip();
    if (m_updates->runningDownloads() == 0) {
        m_statusWindow->setDocumentTitle(documentTitle(), false);
        m_statusWindow->setAbortEnabled(false);
    }
    refreshCommandStates();
}

void MainWindow::onDownloadsEnded()
{
    recordRuleHealth();
    if (m_tray)
        m_tray->setIcon(AppIcons::application());
    refreshCommandStates();
    if (!m_unattended)
        return;
    const bool saved = m_documents->save();
    emit unattendedFinished(saved);
}

void MainWindow::recordRuleHealth()
{
    const std::vector<RuleHealth::Outcome> outcomes = m_updates->takeHealthOutcomes();
    // An untitled portfolio has no file to keep the record under.
    if (outcomes.empty() || m_documents->path().isEmpty())
        return;
    RuleHealth::record(m_documents->path().toStdString(), outcomes);
    loadRuleHealth();
}

void MainWindow::loadRuleHealth()
{
    const QString path = m_documents->path();
    m_list->setRuleHealth(path.isEmpty() ? std::map<std::string, RuleHealth>() : RuleHealth::read(path.toStdString()));
}

void MainWindow::addTrayIcon(const QString& tip)
{
    m_tray = new QSystemTrayIcon(AppIcons::application(), this);
    m_tray->setToolTip(tip.left(63));
    auto* menu = new QMenu(this);
    menu->addAction(tr("Connection &status..."), this, &MainWindow::toggleStatusWindow);
    menu->addAction(tr("&Close"), this, &MainWindow::abortDownloads);
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            toggleStatusWindow();
    });
    m_tray->show();
}

void MainWindow::refreshTrayTip()
{
    if (!m_tray)
        return;
    const int count = m_updates->runningDownloads();
    const QString title = documentTitle();
    if (count == 1)
        m_tray->setToolTip(tr("%1 (1 Download)").arg(title));
    else if (count > 1)
        m_tray->setToolTip(tr("%1 (%2 Downloads)").arg(title).arg(count));
    else
        m_tray->setToolTip(tr("%1 (End)").arg(title));
}

void MainWindow::applyOptions(const GeneralOptions& options)
{
    m_options = options;
    m_statusWindow->setOptions(options.DownloadStatus);
    m_updates->setShowFileOnError(options.ShowFileOnError && !m_unattended);
    m_updates->setGuardPercent(options.GuardPercent);
    m_documents->setAutosaveOnExit(options.AutosaveOnExit);
    setAutoUpdateTimer(options.Autoupdate ? options.UpdateIntervall : 0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_options.AutosaveWindows && !m_unattended)
        saveLayout();
    if (!m_unattended && !m_documents->saveModified()) {
        event->ignore();
        return;
    }
    m_statusWindow->hide();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile() || !downloadsIdle())
        return;
    event->acceptProposedAction();
    m_documents->openPortfolio(urls.first().toLocalFile());
}

void MainWindow::connectHelpActions()
{
    connect(m_actions.faq, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("FAQ.html")); });
    connect(m_actions.serverHelp, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("TKRSrv.html")); });
    auto openHomePage = [] { QDesktopServices::openUrl(QUrl(homePageAddress())); };
    connect(m_actions.webPage, &QAction::triggered, this, openHomePage);
    connect(m_actions.checkUpdate, &QAction::triggered, this, openHomePage);
}

QString MainWindow::homePageAddress()
{
    return SettingsStore::value(SettingsKey::HomePage).toString();
}

QString MainWindow::helpPagePath(const QString& fileName)
{
    return HelpPages::path(fileName);
}

void MainWindow::openHelpPage(const QString& fileName)
{
    HelpPages::open(fileName);
}

void MainWindow::showOptions()
{
    OptionsDialog dialog(m_options, DownloadOptions::readOptions(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!dialog.options().writeOptions() || !dialog.downloadOptions().writeOptions())
        MessageDialog::warning(this, tr("The options could not be stored."));
    applyOptions(dialog.options());
}

void MainWindow::exportServers()
{
    const QString path = FileDialog::saveFileName(this, tr("Export server configuration"), tr("Server"),
                                                  tr("Registry Files (*.reg)"), QStringLiteral("reg"));
    if (path.isEmpty())
        return;
    const Status exported = ServerConfigExport::exportServerConfigs(QDir::toNativeSeparators(path).toStdString());
    if (!exported)
        MessageDialog::warning(this, QString::fromStdString(exported.message()));
}

QString MainWindow::aboutText()
{
    return tr("Tickora Version %1\n\nInstalled server configuration version: %2")
        .arg(QString::fromLatin1(TICKORA_VERSION))
        .arg(ServerStore::storedPresetVersion());
}

void MainWindow::showAbout()
{
    QMessageBox box(QMessageBox::Information, tr("About Tickora"), aboutText(), QMessageBox::Ok, this);
    box.setIconPixmap(AppIcons::application().pixmap(64, 64));
    if (MessageDialog::pendingAnswers() > 0 || m_unattended)
        MessageDialog::information(this, aboutText());
    else
        box.exec();
}
