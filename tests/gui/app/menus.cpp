#include "GuiFixtures.h"
#include "TestEnvironment.h"
#include "gui/app/CMainFrame.h"
#include "gui/items/ItemCommands.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QtTest>

namespace {

// A menu entry as the user reads it: the text, a tab and the shortcut; "-" for a separator.
QStringList entries(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator()) {
            texts << QStringLiteral("-");
            continue;
        }
        QString text = action->text();
        if (!action->shortcut().isEmpty())
            text += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::PortableText);
        texts << text;
    }
    while (!texts.isEmpty() && texts.last() == QLatin1String("-"))
        texts.removeLast();
    return texts;
}

QStringList withoutSeparators(QStringList texts)
{
    texts.removeAll(QStringLiteral("-"));
    return texts;
}

QMenu* menuNamed(CMainFrame& frame, const QString& title)
{
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::clearShownTexts(); }

    void mainMenuTextsAndShortcuts()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        QStringList titles;
        for (QAction* action : frame.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&File", "&Item", "&View", "E&xtras", "&?"}));
        QCOMPARE(withoutSeparators(entries(menuNamed(frame, "&File"))),
                 (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...",
                              "Update &all quotations\tCtrl+U", "&Export...\tCtrl+E", "E&xit"}));
        QCOMPARE(withoutSeparators(entries(menuNamed(frame, "&Item"))),
                 (QStringList{"&Insert new item\tIns", "&Delete item\tDel", "&Cut\tCtrl+X", "C&opy\tCtrl+C",
                              "&Paste\tCtrl+V", "&Update quotation\tCtrl+I", "Update quotation on date...\tCtrl+D",
                              "&Manually update quotation\tCtrl+M", "&Test quotation &update\tCtrl+T",
                              "&Open web page\tCtrl+G", "P&roperties\tEnter"}));
        QCOMPARE(withoutSeparators(entries(menuNamed(frame, "&View"))),
                 (QStringList{"&Toolbar", "&Statusbar", "&Connection status", "Show &percentual values", "&Refresh",
                              "S&ave view options"}));
        QCOMPARE(entries(menuNamed(frame, "E&xtras")),
                 (QStringList{"&Options...", "&Export server configuration...",
                              "&Check server configuration update availability..."}));
        QCOMPARE(entries(menuNamed(frame, "&?")),
                 (QStringList{"Inf&o about Tickora...", "&Frequently Asked Questions (FAQ)",
                              "Info about &server configuration", "&Application web page"}));
        // The second keys of the clipboard commands.
        QVERIFY(frame.actions().cut->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_Delete)));
        QVERIFY(frame.actions().copy->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
        QVERIFY(frame.actions().paste->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_Insert)));
        QCOMPARE(frame.actions().compareAll->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    }

    void listContextMenu()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        QCOMPARE(
            entries(frame.actions().listContextMenu),
            (QStringList{"&Properties\tEnter", "-", "Show &quotations\tCtrl+Q", "-", "Upda&te quotation\tCtrl+I",
                         "Update quotation on date...\tCtrl+D", "&Manually update quotation\tCtrl+M",
                         "&Test quotation &update\tCtrl+T", "-", "&Open web page\tCtrl+G", "-", "&Delete item\tDel"}));
        // The context menu's entry is the list's update command with the same prompt and state.
        QAction* update = frame.actions().updateQuotationInList;
        QCOMPARE(update->statusTip(), QStringLiteral("Update item's quotation over the internet."));
        CWPapierDoc& doc = frame.document();
        doc.AddItem(CWPapier::newItem("Item", 1700000000, 1));
        frame.listView()->fill();
        selectItems(frame.listView(), {QStringLiteral(" Invested Amount History")});
        frame.refreshCommandStates();
        QVERIFY(!update->isEnabled());
        selectItems(frame.listView(), {QStringLiteral("Item")});
        frame.refreshCommandStates();
        QVERIFY(update->isEnabled());
    }

    void promptsAndTooltips()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        const MainActions& a = frame.actions();
        const QList<std::tuple<QAction*, QString, QString>> expected{
            {a.fileNew, "Create a new portfolio", "New portfolio"},
            {a.fileOpen, "Open an existing portfolio", "Open portfolio"},
            {a.fileSave, "Save the portfolio", "Save portfolio"},
            {a.fileSaveAs, "Save the active document with a new name", "Save As"},
            {a.exit, "Quit the application; prompts to save documents", "Exit"},
            {a.about, "Display program information, version number and copyright", "About"},
            {a.updateAll, "Update the quotations of all items.", "Update all"},
            {a.exportQuotations,
             "Export quotations to a text or excel file which can be imported by other applications.",
             "Export quotations"},
            {a.abortDownloads, "Abort downloads.", "Abort downloads"},
            {a.manualUpdate, "Manually update the quotation of an item.", "Manually update"},
            {a.compareAll, "Compare the rentability of all items.", "Compare all"},
            {a.percentual, "Toggle show percentual/nominal values in list view.", "Percentual/Nominal values"},
            {a.insertItem, "Add a new investment to the list.", "Add item"},
        };
        for (const auto& [action, prompt, tip] : expected) {
            QCOMPARE(action->statusTip(), prompt);
            QCOMPARE(action->toolTip(), tip);
        }
        const QList<std::pair<QAction*, QString>> prompts{
            {a.updateQuotation, "Update item's quotation over the internet."},
            {a.deleteItem, "Delete an item from the list."},
            {a.refresh, "Refresh the view."},
            {a.connectionStatus, "Show the connection status."},
            {a.saveViewOptions, "Save the view options."},
            {a.webPage, "Open Tickora web page."},
            {a.exportServers, "Export the properties of all defined servers to a registry file"},
            {a.options, "Configure general program options."},
            {a.checkUpdate, "Check if a newer application or server configuration version is available."},
            {a.openWebPage, "Open the web page, from which the quotation is grabbed."},
            {a.testUpdate, "Test item's quotation update over the internet."},
            {a.updateOnDate, "Update item's quotation on a specific date over the internet."},
            {a.properties, "Show item properties."},
            {a.showQuotations, "Show the price history of an item."},
        };
        for (const auto& [action, prompt] : prompts)
            QCOMPARE(action->statusTip(), prompt);

        // A prompt shows while its command is highlighted; afterwards the idle text returns.
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
        a.updateAll->showStatusText(&frame);
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Update the quotations of all items."));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(&frame, &leave);
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
    }

    void toolbarOrder()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        QStringList tips;
        for (QAction* action : frame.actions().toolBar->actions())
            tips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
        QCOMPARE(tips,
                 (QStringList{"New portfolio",
                              "Open portfolio",
                              "Save portfolio",
                              "|",
                              "Add item",
                              "|",
                              "Cut",
                              "Copy",
                              "Paste",
                              "|",
                              "Update all",
                              "Abort downloads",
                              "|",
                              "Manually update",
                              "|",
                              "Percentual/Nominal values",
                              "|",
                              "Compare all",
                              "|",
                              "Export quotations",
                              "|",
                              "About"}));
    }

    void keysReachTheCommandsFromTheList()
    {
        TestEnvironment env;
        CMainFrame frame(GeneralOptions(), false);
        CWPapierDoc& doc = frame.document();
        doc.AddItem(CWPapier::newItem("One", 1700000000, 1));
        doc.AddItem(CWPapier::newItem("Two", 1700000000, 2));
        CWPapierLView* list = frame.listView();
        list->fill();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        list->setFocus();
        selectItems(list, {"Two"});
        const auto focused = list->focusedItem();

        // Ctrl+A is "Compare all", not the list's own select-all: the second press goes back to one row.
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list->selectedItems().size(), size_t(3));
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list->selectedItems(), std::vector<CWPapierDoc::ItemId>{focused});

        // Del asks before deleting.
        MessageDialog::setNextAnswer(QMessageBox::No);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(MessageDialog::shownTexts(), QStringList{"Do you really want to delete the marked items?"});
        QCOMPARE(doc.itemCount(), 3);

        // Ctrl+C puts the portfolio data on the clipboard, and the paste command becomes available.
        QApplication::clipboard()->clear();
        QVERIFY(!frame.actions().paste->isEnabled());
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(ItemCommands::clipboardHasPortfolio());
        QVERIFY(frame.actions().paste->isEnabled());

        // The context-menu key and Shift+F10 open the list's menu near its top-left corner.
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(list, key, modifiers);
            QTRY_VERIFY(frame.actions().listContextMenu->isVisible());
            const QPoint corner = list->viewport()->mapToGlobal(QPoint(5, 5));
            QCOMPARE(frame.actions().listContextMenu->pos(), corner);
            frame.actions().listContextMenu->hide();
        }
    }
};

QTEST_MAIN(TestMenus)
#include "menus.moc"
