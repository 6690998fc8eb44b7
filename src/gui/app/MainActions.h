// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The commands of the main window with their menu texts, shortcuts, prompts and tooltips.
struct MainActions {
    QAction* fileNew;
    QAction* fileOpen;
    QAction* fileSave;
    QAction* fileSaveAs;
    QAction* restoreBackup;
    QAction* updateAll;
    QAction* exportQuotations;
    QAction* exit;
    QAction* deleteItem;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* updateQuotation;
    // The list's context menu names the same command "Upda&te quotation".
    QAction* updateQuotationInList;
    QAction* updateOnDate;
    QAction* manualUpdate;
    QAction* testUpdate;
    QAction* repairRule;
    QAction* openWebPage;
    QAction* viewToolbar;
    QAction* viewStatusbar;
    QAction* connectionStatus;
    QAction* percentual;
    QAction* refresh;
    QAction* saveViewOptions;
    QAction* options;
    QAction* exportServers;
    QAction* checkUpdate;
    QAction* about;
    QAction* faq;
    QAction* serverHelp;
    QAction* webPage;
    QAction* compareAll;
    QAction* abortDownloads;
    QAction* print;
    QAction* printPreview;
    QAction* printSetup;
    QAction* comparisonLimits;
    QAction* nextPane;
    QAction* previousPane;
    QAction* insertItem;
    QAction* properties;
    QAction* showQuotations;
    QAction* importQuotations;
    // The chart's "&Properties\t" (the item's chart page) and its double click (the quotations page at
    // the record in the action's data).
    QAction* chartProperties;
    QAction* chartDoubleClick;
    // The context menus name some commands differently; each triggers and follows its main action.
    QAction* propertiesInList;
    QAction* importQuotationsInList;
    QAction* comparisonLimitsInChart;
    QList<QAction*> recentFiles;

    QMenu* fileMenu;
    QMenu* listContextMenu;
    QMenu* chartContextMenu;
    QMenu* comparisonContextMenu;
    QToolBar* toolBar;

    // Creates the actions, the menus, the list's context menu and the toolbar on `window`.
    static MainActions create(QMainWindow* window);
};
