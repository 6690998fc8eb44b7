#include "GuiFixtures.h"
#include "TestEnvironment.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/importexport/ImportDialog.h"
#include "gui/items/ItemCommands.h"
#include "gui/views/ChartView.h"
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

QMenu* menuNamed(MainWindow& frame, const QString& title)
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
        MainWindow frame(GeneralOptions(), false);
        QStringList titles;
        for (QAction* action : frame.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&File", "&Item", "&View", "E&xtras", "&?"}));
        // The documented main menu, entry by entry; "Se&nd..." is left out: there is no mail service to reach.
        struct Entry {
            QString menu;
            QString text;
            bool present;
        };
        const QList<Entry> documented{
            {"&File", "&New\tCtrl+N", true},
            {"&File", "&Open...\tCtrl+O", true},
            {"&File", "&Save\tCtrl+S", true},
            {"&File", "Save &As...", true},
            {"&File", "Restore from backup...", true},
            {"&File", "Se&nd...", false},
            {"&File", "Update &all quotations\tCtrl+U", true},
            {"&File", "&Export...\tCtrl+E", true},
            {"&File", "&Print...\tCtrl+P", true},
            {"&File", "P&rint preview", true},
            {"&File", "Prin&t Setup...", true},
            {"&File", "E&xit", true},
            {"&Item", "&Insert new item\tIns", true},
            {"&Item", "&Delete item\tDel", true},
            {"&Item", "&Cut\tCtrl+X", true},
            {"&Item", "C&opy\tCtrl+C", true},
            {"&Item", "&Paste\tCtrl+V", true},
            {"&Item", "&Update quotation\tCtrl+I", true},
            {"&Item", "Update quotation on date...\tCtrl+D", true},
            {"&Item", "&Manually update quotation\tCtrl+M", true},
            {"&Item", "&Test quotation &update\tCtrl+T", true},
            {"&Item", "Import &quotations...\tCtrl+R", true},
            {"&Item", "&Open web page\tCtrl+G", true},
            {"&Item", "P&roperties\tEnter", true},
            {"&View", "&Toolbar", true},
            {"&View", "&Statusbar", true},
            {"&View", "&Connection status", true},
            {"&View", "Show &percentual values", true},
            {"&View", "&Refresh", true},
            {"&View", "S&ave view options", true},
            {"E&xtras", "&Options...", true},
            {"E&xtras", "&Export server configuration...", true},
            {"E&xtras", "&Check server configuration update availability...", true},
            {"&?", "Inf&o about Tickora...", true},
            {"&?", "&Frequently Asked Questions (FAQ)", true},
            {"&?", "Info about &server configuration", true},
            {"&?", "&Application web page", true},
        };
        for (const QString& title : titles) {
            QStringList expected;
            for (const Entry& entry : documented) {
                if (entry.menu == title && entry.present)
                    expected << entry.text;
            }
            const QStringList shown = withoutSeparators(entries(menuNamed(frame, title)));
            QCOMPARE(shown, expected);
            for (const Entry& entry : documented)
                QVERIFY2(entry.present || !shown.contains(entry.text), qPrintable(entry.text));
        }
        // The recently used files take the place of "Last File" once there are some.
        QCOMPARE(frame.actions().recentFiles.size(), DocumentCommands::kRecentFileCount);
    }

    void keyboardShortcuts()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        const MainActions& a = frame.actions();
        const QList<std::pair<QKeySequence, QAction*>> keys{
            {Qt::CTRL | Qt::Key_A, a.compareAll},
            {Qt::CTRL | Qt::Key_C, a.copy},
            {Qt::CTRL | Qt::Key_D, a.updateOnDate},
            {Qt::CTRL | Qt::Key_E, a.exportQuotations},
            {Qt::CTRL | Qt::Key_G, a.openWebPage},
            {Qt::CTRL | Qt::Key_I, a.updateQuotation},
            {Qt::CTRL | Qt::Key_M, a.manualUpdate},
            {Qt::CTRL | Qt::Key_N, a.fileNew},
            {Qt::CTRL | Qt::Key_O, a.fileOpen},
            {Qt::CTRL | Qt::Key_P, a.print},
            {Qt::CTRL | Qt::Key_Q, a.showQuotations},
            {Qt::CTRL | Qt::Key_R, a.importQuotations},
            {Qt::CTRL | Qt::Key_S, a.fileSave},
            {Qt::CTRL | Qt::Key_T, a.testUpdate},
            {Qt::CTRL | Qt::Key_U, a.updateAll},
            {Qt::CTRL | Qt::Key_V, a.paste},
            {Qt::CTRL | Qt::Key_X, a.cut},
            {Qt::Key_Insert, a.insertItem},
            {Qt::Key_Delete, a.deleteItem},
            {Qt::SHIFT | Qt::Key_Delete, a.cut},
            {Qt::CTRL | Qt::Key_Insert, a.copy},
            {Qt::SHIFT | Qt::Key_Insert, a.paste},
            {Qt::Key_Return, a.properties},
            {Qt::Key_Enter, a.properties},
            {Qt::KeypadModifier | Qt::Key_Enter, a.properties},
            {Qt::Key_F6, a.nextPane},
            {Qt::SHIFT | Qt::Key_F6, a.previousPane},
        };
        for (const auto& [key, action] : keys) {
            QList<QAction*> owners;
            for (QAction* candidate : frame.QWidget::actions())
                if (candidate->shortcuts().contains(key))
                    owners << candidate;
            QCOMPARE(owners, QList<QAction*>{action});
        }
    }

    void contextMenuEntriesFollowTheirCommands()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        const MainActions& a = frame.actions();
        QCOMPARE(entries(a.chartContextMenu), QStringList{"&Properties\t"});
        QCOMPARE(entries(a.comparisonContextMenu), QStringList{"&Properties"});
        // The comparison chart's entry is the toolbar's "Comparison limits".
        QSignalSpy limits(a.comparisonLimits, &QAction::triggered);
        whenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
        a.comparisonLimitsInChart->trigger();
        QCOMPARE(limits.count(), 1);
        // The list's "&Properties" and "&Import quotations..." follow the menu's commands; Import quotations
        // opens nothing for the history item, Properties opens the sheet of the focused item.
        QVERIFY(!a.importQuotations->isEnabled());
        selectItems(frame.listView(), {QStringLiteral(" Invested Amount History")});
        frame.refreshCommandStates();
        QVERIFY(a.propertiesInList->isEnabled());
        for (const auto& [inList, main] :
             {std::pair{a.propertiesInList, a.properties}, std::pair{a.importQuotationsInList, a.importQuotations}}) {
            main->setEnabled(false);
            QVERIFY(!inList->isEnabled());
            main->setEnabled(true);
            QVERIFY(inList->isEnabled());
            QSignalSpy triggered(main, &QAction::triggered);
            bool sheet = false;
            if (main == a.properties)
                whenModal<QDialog>([&sheet](QDialog* dialog) {
                    sheet = true;
                    dialog->reject();
                });
            inList->trigger();
            QCOMPARE(triggered.count(), 1);
            QCOMPARE(sheet, main == a.properties);
        }
    }

    void listContextMenu()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        QCOMPARE(entries(frame.actions().listContextMenu),
                 (QStringList{"&Properties\tEnter", "-", "Show &quotations\tCtrl+Q", "-", "Upda&te quotation\tCtrl+I",
                              "Update quotation on date...\tCtrl+D", "&Manually update quotation\tCtrl+M",
                              "&Test quotation &update\tCtrl+T", "-", "&Import quotations...\tCtrl+R", "-",
                              "&Open web page\tCtrl+G", "-", "&Delete item\tDel"}));
        // The context menu's entry is the list's update command with the same prompt and state.
        QAction* update = frame.actions().updateQuotationInList;
        QCOMPARE(update->statusTip(), QStringLiteral("Update item's quotation over the internet."));
        PortfolioDocument& doc = frame.document();
        doc.addItem(PortfolioItem::newItem("Item", 1700000000, 1));
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
        MainWindow frame(GeneralOptions(), false);
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
            {a.print, "Print the active document", "Print"},
            {a.printPreview, "Display full pages", "Print Preview"},
            {a.printSetup, "Change the printer and printing options", "Print Setup"},
            {a.insertItem, "Add a new investment to the list.", "Add item"},
            {a.importQuotations, "Import quotations from ASCII file.", "Import quotations"},
            {a.comparisonLimits, "Set comparison chart limits.", "Comparison Limits"},
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
            {a.chartProperties, "Modify the properties of an item."},
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
        MainWindow frame(GeneralOptions(), false);
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
                              "Comparison Limits",
                              "|",
                              "Import quotations",
                              "Export quotations",
                              "|",
                              "Print Preview",
                              "Print",
                              "|",
                              "About"}));
    }

    void keysReachTheCommandsFromTheList()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        doc.addItem(PortfolioItem::newItem("One", 1700000000, 1));
        doc.addItem(PortfolioItem::newItem("Two", 1700000000, 2));
        PortfolioListView* list = frame.listView();
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
        QCOMPARE(list->selectedItems(), std::vector<PortfolioDocument::ItemId>{focused});

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

        // F6 and Shift+F6 move the focus between the list and the chart.
        QTest::keyClick(list, Qt::Key_F6);
        QTRY_VERIFY(frame.chartView()->hasFocus());
        QTest::keyClick(frame.chartView(), Qt::Key_F6, Qt::ShiftModifier);
        QTRY_VERIFY(list->hasFocus());

        // Ctrl+R imports into the focused item.
        frame.refreshCommandStates();
        QStringList importTitles;
        whenModal<ImportDialog>([&importTitles](ImportDialog* dialog) {
            importTitles << dialog->windowTitle();
            dialog->reject();
        });
        QTest::keyClick(list, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(importTitles, QStringList{"Import quotations for \"Two\""});
    }
};

QTEST_MAIN(TestMenus)
#include "menus.moc"
