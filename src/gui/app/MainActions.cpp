// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/MainActions.h"

#include "gui/widgets/AppIcons.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include <utility>

namespace {

constexpr int kRecentFileCount = 8;

// `prompt` is the status-bar text; the part after "\n", when there is one, is the tooltip.
QAction* makeAction(QMainWindow* window, const QString& text, const QString& prompt, const QKeySequence& shortcut = {},
                    const QIcon& icon = {})
{
    auto* action = new QAction(icon, text.section(QLatin1Char('\t'), 0, 0), window);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
    const QString tip = prompt.section(QLatin1Char('\n'), 1);
    action->setToolTip(tip.isEmpty() ? action->statusTip() : tip);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

// An entry of a context menu that carries out `main` and is enabled with it.
QAction* follower(QMainWindow* window, const QString& text, QAction* main)
{
    auto* action = new QAction(text, window);
    action->setStatusTip(main->statusTip());
    action->setEnabled(main->isEnabled());
    QObject::connect(action, &QAction::triggered, main, &QAction::trigger);
    QObject::connect(main, &QAction::changed, action, [action, main] { action->setEnabled(main->isEnabled()); });
    return action;
}

void createFileActions(MainActions& a, QMainWindow* w)
{
    a.fileNew = makeAction(w, QCoreApplication::translate("MainActions", "&New\tCtrl+N"),
                           QCoreApplication::translate("MainActions", "Create a new portfolio\nNew portfolio"),
                           QKeySequence(Qt::CTRL | Qt::Key_N), AppIcons::newPortfolio());
    a.fileOpen = makeAction(w, QCoreApplication::translate("MainActions", "&Open...\tCtrl+O"),
                            QCoreApplication::translate("MainActions", "Open an existing portfolio\nOpen portfolio"),
                            QKeySequence(Qt::CTRL | Qt::Key_O), AppIcons::openPortfolio());
    a.fileSave = makeAction(w, QCoreApplication::translate("MainActions", "&Save\tCtrl+S"),
                            QCoreApplication::translate("MainActions", "Save the portfolio\nSave portfolio"),
                            QKeySequence(Qt::CTRL | Qt::Key_S), AppIcons::savePortfolio());
    a.fileSaveAs =
        makeAction(w, QCoreApplication::translate("MainActions", "Save &As..."),
                   QCoreApplication::translate("MainActions", "Save the active document with a new name\nSave As"));
    a.restoreBackup = makeAction(
        w, QCoreApplication::translate("MainActions", "Restore from backup..."),
        QCoreApplication::translate("MainActions", "Put a backup that a save kept in the portfolio's place\nRestore"));
    a.updateAll =
        makeAction(w, QCoreApplication::translate("MainActions", "Update &all quotations\tCtrl+U"),
                   QCoreApplication::translate("MainActions", "Update the quotations of all items.\nUpdate all"),
                   QKeySequence(Qt::CTRL | Qt::Key_U), AppIcons::updateAll());
    a.exportQuotations = makeAction(
        w, QCoreApplication::translate("MainActions", "&Export...\tCtrl+E"),
        QCoreApplication::translate("MainActions",
                                    "Export quotations to a text or excel file which can be imported by other "
                                    "applications.\nExport quotations"),
        QKeySequence(Qt::CTRL | Qt::Key_E), AppIcons::exportQuotations());
    a.print = makeAction(w, QCoreApplication::translate("MainActions", "&Print...\tCtrl+P"),
                         QCoreApplication::translate("MainActions", "Print the active document\nPrint"),
                         QKeySequence(Qt::CTRL | Qt::Key_P), AppIcons::print());
    a.printPreview = makeAction(w, QCoreApplication::translate("MainActions", "P&rint preview"),
                                QCoreApplication::translate("MainActions", "Display full pages\nPrint Preview"),
                                QKeySequence(), AppIcons::printPreview());
    a.printSetup =
        makeAction(w, QCoreApplication::translate("MainActions", "Prin&t Setup..."),
                   QCoreApplication::translate("MainActions", "Change the printer and printing options\nPrint Setup"));
    a.exit =
        makeAction(w, QCoreApplication::translate("MainActions", "E&xit"),
                   QCoreApplication::translate("MainActions", "Quit the application; prompts to save documents\nExit"));
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* recent = makeAction(w, QString(), QString());
        recent->setVisible(false);
        a.recentFiles.append(recent);
    }
}

void createItemActions(MainActions& a, QMainWindow* w)
{
    a.insertItem = makeAction(w, QCoreApplication::translate("MainActions", "&Insert new item\tIns"),
                              QCoreApplication::translate("MainActions", "Add a new investment to the list.\nAdd item"),
                              QKeySequence(Qt::Key_Insert), AppIcons::insertItem());
    a.properties = makeAction(w, QCoreApplication::translate("MainActions", "P&roperties\tEnter"),
                              QCoreApplication::translate("MainActions", "Show item properties."), QKeySequence());
    // The keypad's Enter carries the keypad modifier, which shortcuts do not ignore.
    a.properties->setShortcuts(
        {QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return), QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)});
    a.showQuotations = makeAction(w, QCoreApplication::translate("MainActions", "Show &quotations\tCtrl+Q"),
                                  QCoreApplication::translate("MainActions", "Show the price history of an item."),
                                  QKeySequence(Qt::CTRL | Qt::Key_Q));
    a.importQuotations =
        makeAction(w, QCoreApplication::translate("MainActions", "Import &quotations...\tCtrl+R"),
                   QCoreApplication::translate("MainActions", "Import quotations from ASCII file.\nImport quotations"),
                   QKeySequence(Qt::CTRL | Qt::Key_R), AppIcons::importQuotations());
    // The chart's entry keeps its tab: "&Properties\t", unlike the comparison chart's "&Properties".
    a.chartProperties =
        makeAction(w, QString(), QCoreApplication::translate("MainActions", "Modify the properties of an item."));
    a.chartProperties->setText(QCoreApplication::translate("MainActions", "&Properties\t"));
    a.chartDoubleClick = makeAction(w, QCoreApplication::translate("MainActions", "Show &quotations"),
                                    QCoreApplication::translate("MainActions", "Show the price history of an item."));
    a.propertiesInList = follower(w, QCoreApplication::translate("MainActions", "&Properties\tEnter"), a.properties);
    a.importQuotationsInList =
        follower(w, QCoreApplication::translate("MainActions", "&Import quotations...\tCtrl+R"), a.importQuotations);
    a.deleteItem = makeAction(w, QCoreApplication::translate("MainActions", "&Delete item\tDel"),
                              QCoreApplication::translate("MainActions", "Delete an item from the list."),
                              QKeySequence(Qt::Key_Delete));
    a.cut = makeAction(w, QCoreApplication::translate("MainActions", "&Cut\tCtrl+X"),
                       QCoreApplication::translate("MainActions", "Cut the selection and put it on the Clipboard\nCut"),
                       QKeySequence(), AppIcons::cut());
    a.cut->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    a.copy =
        makeAction(w, QCoreApplication::translate("MainActions", "C&opy\tCtrl+C"),
                   QCoreApplication::translate("MainActions", "Copy the selection and put it on the Clipboard\nCopy"),
                   QKeySequence(), AppIcons::copy());
    a.copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    a.paste = makeAction(w, QCoreApplication::translate("MainActions", "&Paste\tCtrl+V"),
                         QCoreApplication::translate("MainActions", "Insert Clipboard contents\nPaste"), QKeySequence(),
                         AppIcons::paste());
    a.paste->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    a.updateQuotation =
        makeAction(w, QCoreApplication::translate("MainActions", "&Update quotation\tCtrl+I"),
                   QCoreApplication::translate("MainActions", "Update item's quotation over the internet."),
                   QKeySequence(Qt::CTRL | Qt::Key_I));
    // No shortcut of its own (Ctrl+I belongs to the menu's action); the text shows it after the tab.
    a.updateQuotationInList = new QAction(QCoreApplication::translate("MainActions", "Upda&te quotation\tCtrl+I"), w);
    a.updateQuotationInList->setStatusTip(a.updateQuotation->statusTip());
    a.updateOnDate = makeAction(
        w, QCoreApplication::translate("MainActions", "Update quotation on date...\tCtrl+D"),
        QCoreApplication::translate("MainActions", "Update item's quotation on a specific date over the internet."),
        QKeySequence(Qt::CTRL | Qt::Key_D));
    a.manualUpdate = makeAction(
        w, QCoreApplication::translate("MainActions", "&Manually update quotation\tCtrl+M"),
        QCoreApplication::translate("MainActions", "Manually update the quotation of an item.\nManually update"),
        QKeySequence(Qt::CTRL | Qt::Key_M), AppIcons::manualUpdate());
    a.testUpdate =
        makeAction(w, QCoreApplication::translate("MainActions", "&Test quotation &update\tCtrl+T"),
                   QCoreApplication::translate("MainActions", "Test item's quotation update over the internet."),
                   QKeySequence(Qt::CTRL | Qt::Key_T));
    a.repairRule =
        makeAction(w, QCoreApplication::translate("MainActions", "Repair rule..."),
                   QCoreApplication::translate("MainActions", "Propose a new rule from the item's page as it is now."));
    a.openWebPage = makeAction(
        w, QCoreApplication::translate("MainActions", "&Open web page\tCtrl+G"),
        QCoreApplication::translate("MainActions", "Open the web page, from which the quotation is grabbed."),
        QKeySequence(Qt::CTRL | Qt::Key_G));
}

void createViewAndHelpActions(MainActions& a, QMainWindow* w)
{
    a.viewToolbar = makeAction(w, QCoreApplication::translate("MainActions", "&Toolbar"),
                               QCoreApplication::translate("MainActions", "Show or hide the toolbar\nToggle ToolBar"));
    a.viewStatusbar =
        makeAction(w, QCoreApplication::translate("MainActions", "&Statusbar"),
                   QCoreApplication::translate("MainActions", "Show or hide the status bar\nToggle StatusBar"));
    a.connectionStatus = makeAction(w, QCoreApplication::translate("MainActions", "&Connection status"),
                                    QCoreApplication::translate("MainActions", "Show the connection status."));
    a.percentual =
        makeAction(w, QCoreApplication::translate("MainActions", "Show &percentual values"),
                   QCoreApplication::translate(
                       "MainActions", "Toggle show percentual/nominal values in list view.\nPercentual/Nominal values"),
                   QKeySequence(), AppIcons::percentual());
    a.refresh = makeAction(w, QCoreApplication::translate("MainActions", "&Refresh"),
                           QCoreApplication::translate("MainActions", "Refresh the view."));
    a.saveViewOptions = makeAction(w, QCoreApplication::translate("MainActions", "S&ave view options"),
                                   QCoreApplication::translate("MainActions", "Save the view options."));
    for (QAction* toggle : {a.viewToolbar, a.viewStatusbar, a.connectionStatus, a.percentual})
        toggle->setCheckable(true);
    a.options = makeAction(w, QCoreApplication::translate("MainActions", "&Options..."),
                           QCoreApplication::translate("MainActions", "Configure general program options."));
    a.exportServers = makeAction(
        w, QCoreApplication::translate("MainActions", "&Export server configuration..."),
        QCoreApplication::translate("MainActions", "Export the properties of all defined servers to a registry file"));
    a.checkUpdate =
        makeAction(w, QCoreApplication::translate("MainActions", "&Check server configuration update availability..."),
                   QCoreApplication::translate(
                       "MainActions", "Check if a newer application or server configuration version is available."));
    a.about = makeAction(
        w, QCoreApplication::translate("MainActions", "Inf&o about Tickora..."),
        QCoreApplication::translate("MainActions", "Display program information, version number and copyright\nAbout"),
        QKeySequence(), AppIcons::about());
    a.faq = makeAction(w, QCoreApplication::translate("MainActions", "&Frequently Asked Questions (FAQ)"),
                       QCoreApplication::translate("MainActions", "Open the frequently asked questions."));
    a.serverHelp = makeAction(w, QCoreApplication::translate("MainActions", "Info about &server configuration"),
                              QCoreApplication::translate("MainActions", "Open the help on server configurations."));
    a.webPage = makeAction(w, QCoreApplication::translate("MainActions", "&Application web page"),
                           QCoreApplication::translate("MainActions", "Open Tickora web page."));
    a.compareAll =
        makeAction(w, QCoreApplication::translate("MainActions", "Compare all"),
                   QCoreApplication::translate("MainActions", "Compare the rentability of all items.\nCompare all"),
                   QKeySequence(Qt::CTRL | Qt::Key_A), AppIcons::compareAll());
    a.compareAll->setCheckable(true);
    a.abortDownloads = makeAction(w, QCoreApplication::translate("MainActions", "Abort downloads"),
                                  QCoreApplication::translate("MainActions", "Abort downloads.\nAbort downloads"),
                                  QKeySequence(), AppIcons::abortDownloads());
    a.comparisonLimits =
        makeAction(w, QCoreApplication::translate("MainActions", "Comparison limits"),
                   QCoreApplication::translate("MainActions", "Set comparison chart limits.\nComparison Limits"),
                   QKeySequence(), AppIcons::comparisonLimits());
    a.comparisonLimitsInChart =
        follower(w, QCoreApplication::translate("MainActions", "&Properties"), a.comparisonLimits);
    a.nextPane = makeAction(w, QCoreApplication::translate("MainActions", "Next pane"),
                            QCoreApplication::translate("MainActions", "Switch to the next window pane"),
                            QKeySequence(Qt::Key_F6));
    a.previousPane = makeAction(w, QCoreApplication::translate("MainActions", "Previous pane"),
                                QCoreApplication::translate("MainActions", "Switch back to the previous window pane"),
                                QKeySequence(Qt::SHIFT | Qt::Key_F6));
}

void createMenus(MainActions& a, QMainWindow* w)
{
    QMenuBar* bar = w->menuBar();
    a.fileMenu = bar->addMenu(QCoreApplication::translate("MainActions", "&File"));
    a.fileMenu->addActions({a.fileNew, a.fileOpen, a.fileSave, a.fileSaveAs, a.restoreBackup});
    a.fileMenu->addSeparator();
    a.fileMenu->addActions({a.updateAll, a.exportQuotations});
    a.fileMenu->addSeparator();
    a.fileMenu->addActions({a.print, a.printPreview, a.printSetup});
    a.fileMenu->addSeparator();
    a.fileMenu->addActions(a.recentFiles);
    a.fileMenu->addSeparator();
    a.fileMenu->addAction(a.exit);

    QMenu* item = bar->addMenu(QCoreApplication::translate("MainActions", "&Item"));
    item->addActions({a.insertItem, a.deleteItem});
    item->addSeparator();
    item->addActions({a.cut, a.copy, a.paste});
    item->addSeparator();
    item->addActions({a.updateQuotation, a.updateOnDate, a.manualUpdate, a.testUpdate, a.repairRule});
    item->addSeparator();
    item->addActions({a.importQuotations, a.openWebPage});
    item->addSeparator();
    item->addAction(a.properties);

    QMenu* view = bar->addMenu(QCoreApplication::translate("MainActions", "&View"));
    view->addActions({a.viewToolbar, a.viewStatusbar, a.connectionStatus, a.percentual, a.refresh, a.saveViewOptions});

    QMenu* extras = bar->addMenu(QCoreApplication::translate("MainActions", "E&xtras"));
    extras->addActions({a.options, a.exportServers, a.checkUpdate});

    QMenu* help = bar->addMenu(QCoreApplication::translate("MainActions", "&?"));
    help->addActions({a.about, a.faq, a.serverHelp, a.webPage});

    a.listContextMenu = new QMenu(w);
    a.listContextMenu->addAction(a.propertiesInList);
    a.listContextMenu->addSeparator();
    a.listContextMenu->addAction(a.showQuotations);
    a.listContextMenu->addSeparator();
    a.listContextMenu->addAction(a.updateQuotationInList);
    a.listContextMenu->addActions({a.updateOnDate, a.manualUpdate, a.testUpdate, a.repairRule});
    a.listContextMenu->addSeparator();
    a.listContextMenu->addAction(a.importQuotationsInList);
    a.listContextMenu->addSeparator();
    a.listContextMenu->addAction(a.openWebPage);
    a.listContextMenu->addSeparator();
    a.listContextMenu->addAction(a.deleteItem);

    a.chartContextMenu = new QMenu(w);
    a.chartContextMenu->addAction(a.chartProperties);
    a.comparisonContextMenu = new QMenu(w);
    a.comparisonContextMenu->addAction(a.comparisonLimitsInChart);
}

void createToolBar(MainActions& a, QMainWindow* w)
{
    a.toolBar = w->addToolBar(QCoreApplication::translate("MainActions", "Toolbar"));
    a.toolBar->setObjectName(QStringLiteral("MainToolBar"));
    a.toolBar->setIconSize(QSize(16, 16));
    a.toolBar->addActions({a.fileNew, a.fileOpen, a.fileSave});
    a.toolBar->addSeparator();
    a.toolBar->addAction(a.insertItem);
    a.toolBar->addSeparator();
    a.toolBar->addActions({a.cut, a.copy, a.paste});
    a.toolBar->addSeparator();
    a.toolBar->addActions({a.updateAll, a.abortDownloads});
    a.toolBar->addSeparator();
    a.toolBar->addAction(a.manualUpdate);
    a.toolBar->addSeparator();
    a.toolBar->addAction(a.percentual);
    a.toolBar->addSeparator();
    a.toolBar->addActions({a.compareAll, a.comparisonLimits});
    a.toolBar->addSeparator();
    a.toolBar->addActions({a.importQuotations, a.exportQuotations});
    a.toolBar->addSeparator();
    a.toolBar->addActions({a.printPreview, a.print});
    a.toolBar->addSeparator();
    a.toolBar->addAction(a.about);
}

// Tests find the commands by these names, the members' own.
void nameObjects(MainActions& a)
{
    const std::pair<QObject*, const char*> names[] = {
        {a.fileNew, "fileNew"},
        {a.fileOpen, "fileOpen"},
        {a.fileSave, "fileSave"},
        {a.fileSaveAs, "fileSaveAs"},
        {a.restoreBackup, "restoreBackup"},
        {a.updateAll, "updateAll"},
        {a.exportQuotations, "exportQuotations"},
        {a.exit, "exit"},
        {a.deleteItem, "deleteItem"},
        {a.cut, "cut"},
        {a.copy, "copy"},
        {a.paste, "paste"},
        {a.updateQuotation, "updateQuotation"},
        {a.updateQuotationInList, "updateQuotationInList"},
        {a.updateOnDate, "updateOnDate"},
        {a.manualUpdate, "manualUpdate"},
        {a.testUpdate, "testUpdate"},
        {a.repairRule, "repairRule"},
        {a.openWebPage, "openWebPage"},
        {a.viewToolbar, "viewToolbar"},
        {a.viewStatusbar, "viewStatusbar"},
        {a.connectionStatus, "connectionStatus"},
        {a.percentual, "percentual"},
        {a.refresh, "refresh"},
        {a.saveViewOptions, "saveViewOptions"},
        {a.options, "options"},
        {a.exportServers, "exportServers"},
        {a.checkUpdate, "checkUpdate"},
        {a.about, "about"},
        {a.faq, "faq"},
        {a.serverHelp, "serverHelp"},
        {a.webPage, "webPage"},
        {a.compareAll, "compareAll"},
        {a.abortDownloads, "abortDownloads"},
        {a.print, "print"},
        {a.printPreview, "printPreview"},
        {a.printSetup, "printSetup"},
        {a.comparisonLimits, "comparisonLimits"},
        {a.nextPane, "nextPane"},
        {a.previousPane, "previousPane"},
        {a.insertItem, "insertItem"},
        {a.properties, "properties"},
        {a.showQuotations, "showQuotations"},
        {a.importQuotations, "importQuotations"},
        {a.chartProperties, "chartProperties"},
        {a.chartDoubleClick, "chartDoubleClick"},
        {a.propertiesInList, "propertiesInList"},
        {a.importQuotationsInList, "importQuotationsInList"},
        {a.comparisonLimitsInChart, "comparisonLimitsInChart"},
        {a.fileMenu, "fileMenu"},
        {a.listContextMenu, "listContextMenu"},
        {a.chartContextMenu, "chartContextMenu"},
        {a.comparisonContextMenu, "comparisonContextMenu"},
        {a.toolBar, "toolBar"},
    };
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
    for (int i = 0; i < a.recentFiles.size(); ++i)
        a.recentFiles[i]->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
}

} // namespace

MainActions MainActions::create(QMainWindow* window)
{
    MainActions actions{};
    createFileActions(actions, window);
    createItemActions(actions, window);
    createViewAndHelpActions(actions, window);
    createMenus(actions, window);
    createToolBar(actions, window);
    nameObjects(actions);
    return actions;
}
