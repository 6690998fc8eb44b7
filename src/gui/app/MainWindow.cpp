// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/MainWindow.h"

#include "gui/app/DocumentCommands.h"
#include "gui/app/DownloadPresentation.h"
#include "gui/app/ExtrasCommands.h"
#include "gui/app/HelpCommands.h"
#include "gui/app/PrintCommands.h"
#include "gui/app/ServerDialogCommands.h"
#include "gui/app/StatusPanes.h"
#include "gui/app/WindowPlacement.h"
#include "gui/download/AlarmNotices.h"
#include "gui/download/AutoUpdateTimer.h"
#include "gui/download/UpdateController.h"
#include "gui/items/ItemCommands.h"
#include "gui/items/ItemSheetCommands.h"
#include "gui/views/ChartView.h"
#include "gui/views/ComparisonSettingsDialog.h"
#include "gui/views/PortfolioListView.h"
#include "gui/views/PortfolioRowBuilder.h"
#include "gui/widgets/AppIcons.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

MainWindow::MainWindow(const GeneralOptions& options, bool unattended, QWidget* parent)
    : QMainWindow(parent), m_options(options), m_unattended(unattended),
      m_doc(std::make_unique<PortfolioDocument>(options.NumberDownloads)),
      m_splitter(new QSplitter(Qt::Vertical, this)), m_list(new PortfolioListView(*m_doc, m_splitter)),
      m_chart(new ChartView(*m_doc, m_splitter)), m_actions(MainActions::create(this)),
      m_panes(new StatusPanes(statusBar())),
      m_updates(new UpdateController(*m_doc, options.ShowFileOnError && !unattended, this)),
      m_documents(new DocumentCommands(*m_doc, options.AutosaveOnExit, this)),
      m_downloads(new DownloadPresentation(*m_updates, *m_documents, *m_list, *m_panes, unattended, this)),
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
      m_serverDialogs(new ServerDialogCommands(this)), m_help(new HelpCommands(m_actions, unattended, this)),
      m_extras(new ExtrasCommands(
          m_actions, [this] { return m_options; }, this)),
      m_notices(new AlarmNotices(unattended, this)), m_autoUpdate(new AutoUpdateTimer(options, this)),
      m_placement(std::make_unique<WindowPlacement>(*this, *m_splitter))
{
    setWindowIcon(AppIcons::application());
    nameChildren();
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_chart);
    m_splitter->setChildrenCollapsible(false);
    m_placement->restore();
    setCentralWidget(m_splitter);
    setAcceptDrops(true);
    m_downloads->setDownloadStatus(options.DownloadStatus);
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
    connectDownloads();
    connectChart();
    m_list->initialUpdate();
    m_placement->fitDefaultWidth(m_list->header()->length() + m_list->verticalScrollBar()->sizeHint().width() +
                                 2 * m_list->frameWidth());
    connect(m_autoUpdate, &AutoUpdateTimer::updateDue, this, &MainWindow::updateAll);
    refreshCommandStates();
    setWindowTitle(tr("%1 - Tickora").arg(documentTitle()));
}

MainWindow::~MainWindow()
{
    m_doc->removeChangeListener(m_docListener);
    // The workers end first (aborted), while the document and the windows they report to still exist.
    delete m_updates;
}

// Tests find the parts of the window by these names.
void MainWindow::nameChildren()
{
    m_splitter->setObjectName(QStringLiteral("paneSplitter"));
    m_list->setObjectName(QStringLiteral("portfolioList"));
    m_chart->setObjectName(QStringLiteral("chart"));
    m_panes->setObjectName(QStringLiteral("statusPanes"));
    m_items->setObjectName(QStringLiteral("itemCommands"));
    m_sheets->setObjectName(QStringLiteral("itemSheetCommands"));
    m_printing->setObjectName(QStringLiteral("printCommands"));
    m_notices->setObjectName(QStringLiteral("alarmNotices"));
}

QString MainWindow::documentTitle() const
{
    return m_documents->title();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_placement->applyOnFirstShow();
}

void MainWindow::saveLayout()
{
    m_placement->save();
    m_downloads->saveColumns();
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
    connect(m_sheets, &ItemSheetCommands::itemInserted, m_list,
            [this](PortfolioDocument::ItemId id) { m_list->selectNewItems({id}); });
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
    connect(a.repairRule, &QAction::triggered, m_items, &ItemCommands::repairRule);
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
    connect(m_extras, &ExtrasCommands::optionsAccepted, this, &MainWindow::applyOptions);
    m_documents->bindRecentFileActions(a.recentFiles);
    connect(m_documents, &DocumentCommands::documentReplaced, this, [this] {
        m_downloads->documentReplaced();
        m_autoUpdate->restart();
        m_list->portfolioOpened();
    });
    connect(m_documents, &DocumentCommands::titleChanged, this,
            [this] { setWindowTitle(tr("%1 - Tickora").arg(documentTitle())); });
    connect(m_list, &PortfolioListView::statusLineChanged, m_panes, &StatusPanes::setInvestedText);
    connect(m_list, &PortfolioListView::selectionPublished, this, &MainWindow::refreshCommandStates);
    connect(m_list, &PortfolioListView::statusLineChanged, this, &MainWindow::refreshCommandStates);
    m_sheets->setHealthWarning([this](PortfolioDocument::ItemId id) { return m_list->healthWarning(id); });
    m_sheets->setRuleHealth([this](PortfolioDocument::ItemId id) { return m_list->ruleHealth(id); });
    // Menus and the paste button show the command states of the moment they are used.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshCommandStates);
        m_panes->watchMenu(menu);
    }
    for (QMenu* menu : {a.listContextMenu, a.chartContextMenu, a.comparisonContextMenu})
        m_panes->watchMenu(menu);
    connect(a.listContextMenu, &QMenu::aboutToShow, this, &MainWindow::refreshCommandStates);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::refreshCommandStates);
}

void MainWindow::connectDownloads()
{
    connect(m_updates, &UpdateController::updatesStarted, this, &MainWindow::refreshCommandStates);
    connect(m_updates, &UpdateController::downloadEvent, this, [this](const DownloadEvent& event) {
        m_downloads->showDownloadEvent(event);
        refreshCommandStates();
    });
    connect(m_updates, &UpdateController::downloadsEnded, this, &MainWindow::onDownloadsEnded);
    connect(m_updates, &UpdateController::alarmTriggered, m_notices, &AlarmNotices::show);
    connect(m_notices, &AlarmNotices::clicked, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
    connect(m_downloads, &DownloadPresentation::abortRequested, this, &MainWindow::abortDownloads);
    connect(m_downloads, &DownloadPresentation::windowToggleRequested, this, &MainWindow::toggleStatusWindow);
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
    a.repairRule->setEnabled(m_list->focusedIsOrdinary());
    a.openWebPage->setEnabled(m_list->focusedIsOrdinary());
    a.importQuotations->setEnabled(a.showQuotations->isEnabled());
    a.compareAll->setEnabled(m_list->rowItems().size() >= 2);
    const bool rows = !m_list->rowItems().empty();
    a.print->setEnabled(rows);
    a.printPreview->setEnabled(rows);
    a.compareAll->setChecked(m_list->allRowsSelected());
    a.percentual->setChecked(m_list->percentual());
    a.connectionStatus->setChecked(m_downloads->windowVisible());
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
    m_autoUpdate->restart();
}

void MainWindow::abortDownloads()
{
    if (m_updates->runningDownloads() <= 0)
        return;
    m_downloads->showAborting();
    m_updates->abort();
    refreshCommandStates();
}

void MainWindow::toggleStatusWindow()
{
    m_downloads->toggleWindow();
    m_actions.connectionStatus->setChecked(m_downloads->windowVisible());
}

void MainWindow::onDownloadsEnded()
{
    m_downloads->downloadsEnded();
    refreshCommandStates();
    if (!m_unattended)
        return;
    const bool saved = m_documents->save();
    emit unattendedFinished(saved);
}

void MainWindow::addTrayIcon(const QString& tip)
{
    m_downloads->addTrayIcon(tip);
}

void MainWindow::applyOptions(const GeneralOptions& options)
{
    m_options = options;
    m_downloads->setDownloadStatus(options.DownloadStatus);
    m_updates->setShowFileOnError(options.ShowFileOnError && !m_unattended);
    m_updates->setGuardPercent(options.GuardPercent);
    m_documents->setAutosaveOnExit(options.AutosaveOnExit);
    m_autoUpdate->setOptions(options);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_options.AutosaveWindows && !m_unattended)
        saveLayout();
    if (!m_unattended && !m_documents->saveModified()) {
        event->ignore();
        return;
    }
    m_downloads->hideWindow();
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
