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
    QAction* insertItem;
    QAction* properties;
    QAction* showQuotations;
    // The list's context menu names Properties "&Properties\tEnter"; it triggers and follows the main action.
    QAction* propertiesInList;
    QList<QAction*> recentFiles;

    QMenu* fileMenu;
    QMenu* listContextMenu;
    QToolBar* toolBar;

    // Creates the actions, the menus, the list's context menu and the toolbar on `window`.
    static MainActions create(QMainWindow* window);
};
