// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
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
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QtTest>

#include <sys/stat.h>

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

// A menu entry from a golden line's text and shortcut fields.
QString menuEntry(const QString& text, const QString& shortcut)
{
    return shortcut.isEmpty() ? text : text + QLatin1Char('\t') + shortcut;
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

class TestMenus : public GuiTestCase {
    Q_OBJECT
private slots:
    void mainMenuTextsAndShortcuts()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        QStringList titles;
        for (QAction* action : frame.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&File", "&Item", "&View", "E&xtras", "&?"}));
        // The documented main menu, entry by entry; some documented entries are not shown.
        struct Entry {
            QString menu;
            QString text;
            bool present;
        };
        QList<Entry> documented;
        for (const QString& line : goldenLines("main-menu.txt")) {
            const QStringList fields = goldenFields(line);
            documented << Entry{fields[0], menuEntry(fields[1], fields[2]), fields.value(3) != "not shown"};
        }
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
        QCOMPARE(frame.findChildren<QAction*>(QRegularExpression("^recentFile\\d+$")).size(),
                 DocumentCommands::kRecentFileCount);
    }

    // Reopening the latest file leaves the settings file as it was (it is replaced on every write).
    void recentFilesWrittenOnlyWhenTheyChange()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        const QString first = QString::fromStdString(env.path("first.tkr"));
        const QString second = QString::fromStdString(env.path("second.tkr"));
        for (const QString& path : {first, second}) {
            PortfolioDocument doc;
            doc.newPortfolio();
            QVERIFY(doc.savePortfolio(path.toStdString()));
        }
        const auto settingsFile = [&env] {
            struct stat info { };
            return ::stat(env.settingsPath().c_str(), &info) == 0 ? info.st_ino : ino_t(0);
        };
        DocumentCommands* documents = frame.documents();
        QVERIFY(documents->openPortfolio(first));
        QVERIFY(documents->openPortfolio(second));
        QCOMPARE(documents->recentFiles(), (QStringList{second, first}));
        const ino_t written = settingsFile();
        QVERIFY(written != 0);
        QVERIFY(documents->openPortfolio(second));
        QCOMPARE(settingsFile(), written);
        QVERIFY(documents->openPortfolio(first));
        QCOMPARE(documents->recentFiles(), (QStringList{first, second}));
        QVERIFY(settingsFile() != written);
    }

    void keyboardShortcuts()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        for (const QString& line : goldenLines("keyboard-shortcuts.txt")) {
            const QStringList fields = goldenFields(line);
            const QKeySequence key = QKeySequence::fromString(fields[0], QKeySequence::PortableText);
            QCOMPARE(key.toString(QKeySequence::PortableText), fields[0]);
            QAction* action = child<QAction>(&frame, qPrintable(fields[1]));
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
        const auto a = [&frame](const char* name) { return child<QAction>(&frame, name); };
        QCOMPARE(entries(child<QMenu>(&frame, "chartContextMenu")), QStringList{"&Properties\t"});
        QCOMPARE(entries(child<QMenu>(&frame, "comparisonContextMenu")), QStringList{"&Properties"});
        // The comparison chart's entry is the toolbar's "Comparison limits".
        QSignalSpy limits(a("comparisonLimits"), &QAction::triggered);
        whenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
        a("comparisonLimitsInChart")->trigger();
        QCOMPARE(limits.count(), 1);
        // The list's "&Properties" and "&Import quotations..." follow the menu's commands, both open their
        // dialog for the focused item, the history item too.
        frame.listView()->selectionModel()->clear();
        frame.refreshCommandStates();
        QVERIFY(!a("importQuotations")->isEnabled());
        selectItems(frame.listView(), {QStringLiteral(" Invested Amount History")});
        frame.refreshCommandStates();
        QVERIFY(a("propertiesInList")->isEnabled());
        QVERIFY(a("importQuotationsInList")->isEnabled());
        for (const auto& [inList, main, title] :
             {std::tuple{a("propertiesInList"), a("properties"), "Properties of  Invested Amount History"},
              std::tuple{a("importQuotationsInList"), a("importQuotations"),
                         "Import quotations for \" Invested Amount History\""}}) {
            main->setEnabled(false);
            QVERIFY(!inList->isEnabled());
            main->setEnabled(true);
            QVERIFY(inList->isEnabled());
            QSignalSpy triggered(main, &QAction::triggered);
            QString opened;
            whenModal<QDialog>([&opened](QDialog* dialog) {
                opened = dialog->windowTitle();
                dialog->reject();
            });
            inList->trigger();
            QCOMPARE(triggered.count(), 1);
            QCOMPARE(opened, QString::fromLatin1(title));
        }
    }

    void listContextMenu()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        QStringList documented;
        for (const QString& line : goldenLines("list-context-menu.txt")) {
            const QStringList fields = goldenFields(line);
            documented << menuEntry(fields[0], fields.value(1));
        }
        QCOMPARE(entries(child<QMenu>(&frame, "listContextMenu")), documented);
        // The context menu's entry is the list's update command with the same prompt and state.
        QAction* update = child<QAction>(&frame, "updateQuotationInList");
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
        for (const QString& line : goldenLines("action-prompts.txt")) {
            const QStringList fields = goldenFields(line);
            const QAction* action = child<QAction>(&frame, qPrintable(fields[0]));
            QCOMPARE(action->statusTip(), fields[1]);
            if (fields.size() > 2)
                QCOMPARE(action->toolTip(), fields[2]);
        }

        // A prompt shows while its command is highlighted; afterwards the idle text returns.
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
        child<QAction>(&frame, "updateAll")->showStatusText(&frame);
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
        for (QAction* action : child<QToolBar>(&frame, "toolBar")->actions())
            tips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
        QCOMPARE(tips, goldenLines("toolbar.txt"));
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
        QVERIFY(!child<QAction>(&frame, "paste")->isEnabled());
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(ItemCommands::clipboardHasPortfolio());
        QVERIFY(child<QAction>(&frame, "paste")->isEnabled());

        // The context-menu key and Shift+F10 open the list's menu near its top-left corner.
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(list, key, modifiers);
            QTRY_VERIFY(child<QMenu>(&frame, "listContextMenu")->isVisible());
            const QPoint corner = list->viewport()->mapToGlobal(QPoint(5, 5));
            QCOMPARE(child<QMenu>(&frame, "listContextMenu")->pos(), corner);
            child<QMenu>(&frame, "listContextMenu")->hide();
        }

        // F6 and Shift+F6 move the focus between the list and the chart.
        QTest::keyClick(list, Qt::Key_F6);
        QTRY_VERIFY(child<ChartView>(&frame, "chart")->hasFocus());
        QTest::keyClick(child<ChartView>(&frame, "chart"), Qt::Key_F6, Qt::ShiftModifier);
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
#include "MenusTest.moc"
