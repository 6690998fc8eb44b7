// SPDX-License-Identifier: GPL-3.0-or-later
#include "DarkPalette.h"
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/app/MainWindow.h"
#include "gui/app/StatusPanes.h"
#include "gui/items/ItemCommands.h"
#include "gui/items/ItemGeneralPage.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/views/ChartView.h"
#include "gui/views/ListLayout.h"
#include "gui/views/PortfolioListModel.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

int addItem(PortfolioDocument& doc, const std::string& name, std::vector<Quotation> quotations, double quantity = 0,
            double price = 0)
{
    PortfolioItem item = PortfolioItem::newItem(name, 1700000000, 2);
    item.quotations = std::move(quotations);
    item.quantity = quantity;
    item.avgBuyPrice = price;
    return doc.addItem(item);
}

QStringList columnTexts(PortfolioListView* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts << list->model()->index(row, column).data().toString();
    return texts;
}

// What the user sees of the list: every row's cells in order, the status line, the selection and
// the focus, both as the list publishes them and as the selection model holds them.
struct ListState {
    QStringList rows;
    QString statusLine;
    std::vector<PortfolioDocument::ItemId> selected;
    PortfolioDocument::ItemId focused = 0;
    QList<int> selectedRows;
    int currentRow = -1;

    bool operator==(const ListState&) const = default;
};

ListState stateOf(PortfolioListView* list)
{
    ListState state;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < kItemColumnCount; ++column)
            cells << list->model()->index(row, column).data().toString();
        state.rows << cells.join(QLatin1Char('|'));
        if (list->selectionModel()->isRowSelected(row, QModelIndex()))
            state.selectedRows << row;
    }
    state.statusLine = list->statusLine();
    state.selected = list->selectedItems();
    state.focused = list->focusedItem();
    state.currentRow = list->currentIndex().row();
    return state;
}

void selectItemsNamed(PortfolioListView* list, const QStringList& names, const QString& focus)
{
    QItemSelection selection;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QString name = list->model()->index(row, 0).data().toString();
        if (names.contains(name))
            selection.select(list->model()->index(row, 0), list->model()->index(row, kItemColumnCount - 1));
        if (name == focus)
            list->selectionModel()->setCurrentIndex(list->model()->index(row, 0), QItemSelectionModel::NoUpdate);
    }
    list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

} // namespace

class TestPortfolioList : public GuiTestCase {
    Q_OBJECT
public:
    TestPortfolioList() : GuiTestCase("UTC", "C") { }

private slots:
    void cellsSortingAndStatusLine()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        const time_t day = localTime(2024, 3, 4, 17, 0);
        addItem(doc, "beta", {{day - 90 * 86400, 10.0}, {day - 86400, 20.0}, {day, 25.0}}, 10, 20);
        addItem(doc, "Alpha", {{day, 30.0}});
        addItem(doc, "Gamma", {});
        PortfolioListView* list = frame.listView();
        list->fill();
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "Alpha", "beta", "Gamma"}));
        const int beta = 2;
        const auto cell = [&](int row, int column) { return list->model()->index(row, column).data().toString(); };
        QCOMPARE(cell(beta, 2), QStringLiteral("25.0000"));
        QCOMPARE(cell(beta, 3), QStringLiteral("10.0000"));
        QCOMPARE(cell(beta, 4), QStringLiteral("25.0000"));
        QCOMPARE(cell(beta, 5), QStringLiteral("+25.00% (1 Days)"));
        QCOMPARE(cell(beta, 7), QStringLiteral("+150.00% (3.0 Months)"));
        QCOMPARE(cell(beta, 8), QStringLiteral("250.00 (+25.00%)"));
        QCOMPARE(cell(1, 5), QStringLiteral("+0.00% (0 Days)"));
        QCOMPARE(cell(3, 2), QString());
        QCOMPARE(child<StatusPanes>(&frame, "statusPanes")->investedText(),
                 QStringLiteral("Amount invested: 250.00 (Last: +25.00% Total: +25.00%)"));

        // Header 2 twice: by value descending; then header 3: by low ascending, kept by a refresh.
        list->sortByHeader(2);
        list->sortByHeader(2);
        QCOMPARE(columnTexts(list, 0).first(), QStringLiteral("Alpha"));
        QVERIFY(list->sortReverse());
        list->sortByHeader(3);
        QVERIFY(!list->sortReverse());
        child<QAction>(&frame, "refresh")->trigger();
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "Gamma", "beta", "Alpha"}));

        child<QAction>(&frame, "percentual")->trigger();
        QVERIFY(!list->percentual());
        QCOMPARE(child<StatusPanes>(&frame, "statusPanes")->investedText(),
                 QStringLiteral("Amount invested: 250.00 (Last: +50.00 Total: +50.00)"));
    }

    void selectionAndCompareAll()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        addItem(doc, "One", {{1700000000, 1.0}});
        addItem(doc, "Two", {{1700000000, 2.0}});
        PortfolioListView* list = frame.listView();
        list->fill();
        QCOMPARE(list->selectedItems().size(), size_t(1));
        const auto focused = list->focusedItem();
        QVERIFY(focused != 0);
        QVERIFY(!child<QAction>(&frame, "compareAll")->isChecked());
        child<QAction>(&frame, "compareAll")->trigger();
        QCOMPARE(list->selectedItems().size(), size_t(3));
        QVERIFY(child<QAction>(&frame, "compareAll")->isChecked());
        child<QAction>(&frame, "compareAll")->trigger();
        QCOMPARE(list->selectedItems(), std::vector<PortfolioDocument::ItemId>{focused});
        QCOMPARE(list->focusedItem(), focused);
    }

    void deleteSkipsHistoryAndUpdatingItems()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        addItem(doc, "Busy", {{1700000000, 1.0}});
        addItem(doc, "Plain", {{1700000000, 2.0}});
        doc.setUpdating(doc.itemId(1), true);
        PortfolioListView* list = frame.listView();
        list->fill();
        list->selectAll();
        MessageDialog::setNextAnswer(QMessageBox::No);
        child<QAction>(&frame, "deleteItem")->trigger();
        QCOMPARE(doc.itemCount(), 3);
        MessageDialog::setNextAnswer(QMessageBox::Yes);
        child<QAction>(&frame, "deleteItem")->trigger();
        QCOMPARE(MessageDialog::shownTexts().last(), QStringLiteral("Do you really want to delete the marked items?"));
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "Busy"}));
        QVERIFY(doc.isModified());
    }

    void copyAndPasteNamesTheCopies()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        addItem(doc, "X", {{1700000000, 5.0}});
        PortfolioListView* list = frame.listView();
        list->fill();
        list->selectAll();
        child<QAction>(&frame, "copy")->trigger();
        QVERIFY(ItemCommands::clipboardHasPortfolio());
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "paste")->isEnabled());
        child<QAction>(&frame, "paste")->trigger();
        list->fill();
        child<QAction>(&frame, "paste")->trigger();
        list->fill();
        QStringList names = columnTexts(list, 0);
        names.sort();
        QCOMPARE(names,
                 (QStringList{" Invested Amount History", "Copy of  Invested Amount History",
                              "Copy of  Invested Amount History (1)", "Copy of X", "Copy of X (1)", "X"}));
        int history = 0;
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            history += doc.item(pos).isInvestedAmountHistory;
        QCOMPARE(history, 1);
        QApplication::clipboard()->clear();
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        child<ItemCommands>(&frame, "itemCommands")->paste();
        QCOMPARE(MessageDialog::shownTexts().last(), QStringLiteral("Clipboard data could not be read!"));
    }

    void oneRowUpdateShowsWhatARebuildShows_data()
    {
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("rename");
        QTest::addColumn<int>("moves");
        QTest::addColumn<QStringList>("order");
        const int value = int(ItemColumn::Value);
        const QString history = QStringLiteral(" Invested Amount History");
        QTest::newRow("value rises, row stays")
            << value << false << "B" << 25.0 << "" << 0 << QStringList{history, "A", "B", "C", "D"};
        QTest::newRow("value falls, row moves up")
            << value << false << "C" << 5.0 << "" << 1 << QStringList{history, "C", "A", "B", "D"};
        QTest::newRow("value rises, reverse order")
            << value << true << "A" << 50.0 << "" << 1 << QStringList{"A", "D", "C", "B", history};
        QTest::newRow("renamed, by name") << int(ItemColumn::Name) << false << "A" << 0.0 << "Zeta" << 1
                                          << QStringList{history, "B", "C", "D", "Zeta"};
        // D holds shares: the amount invested is recorded, the history row moves and the status line changes.
        QTest::newRow("invested amount follows")
            << value << false << "D" << 45.0 << "" << 1 << QStringList{"A", "B", "C", "D", history};
    }

    void oneRowUpdateShowsWhatARebuildShows()
    {
        QFETCH(int, sortColumn);
        QFETCH(bool, reverse);
        QFETCH(QString, changed);
        QFETCH(double, value);
        QFETCH(QString, rename);
        QFETCH(int, moves);
        QFETCH(QStringList, order);
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        const time_t day = localTime(2024, 3, 4, 17, 0);
        addItem(doc, "A", {{day, 10.0}});
        addItem(doc, "B", {{day, 20.0}});
        addItem(doc, "C", {{day, 30.0}});
        addItem(doc, "D", {{day, 40.0}}, 2, 35);
        PortfolioListView* list = frame.listView();
        list->fill();
        if (list->sortColumn() != sortColumn)
            list->sortByHeader(sortColumn);
        if (list->sortReverse() != reverse)
            list->sortByHeader(sortColumn);
        selectItemsNamed(list, {"B", "C"}, "C");
        const ListState before = stateOf(list);

        QSignalSpy resets(list->model(), &QAbstractItemModel::modelAboutToBeReset);
        QSignalSpy moved(list->model(), &QAbstractItemModel::rowsMoved);
        QSignalSpy rowChanges(list->model(), &QAbstractItemModel::dataChanged);
        const int pos = positionNamed(doc, changed.toStdString());
        if (rename.isEmpty()) {
            doc.addItemQuotation(pos, value, day + 3600);
        } else {
            PortfolioItem fields = doc.item(pos);
            fields.name = rename.toStdString();
            doc.updateItem(pos, fields);
        }
        list->applyPendingChanges();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(moved.count(), moves);
        QVERIFY(rowChanges.count() >= 1);
        const ListState updated = stateOf(list);
        QCOMPARE(columnTexts(list, 0), order);
        // The same items stay selected; the published list follows the new row order.
        auto sorted = [](std::vector<PortfolioDocument::ItemId> ids) {
            std::sort(ids.begin(), ids.end());
            return ids;
        };
        QCOMPARE(sorted(updated.selected), sorted(before.selected));
        QCOMPARE(updated.focused, before.focused);
        if (changed == "D")
            QVERIFY(updated.statusLine != before.statusLine);

        list->fill();
        QCOMPARE(resets.count(), 1);
        const ListState rebuilt = stateOf(list);
        QCOMPARE(updated.rows, rebuilt.rows);
        QCOMPARE(updated.statusLine, rebuilt.statusLine);
        QCOMPARE(updated.selected, rebuilt.selected);
        QCOMPARE(updated.focused, rebuilt.focused);
        QCOMPARE(updated.selectedRows, rebuilt.selectedRows);
        QCOMPARE(updated.currentRow, rebuilt.currentRow);
    }

    void rowUpdatesFallBackToARebuild()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        addItem(doc, "A", {{1700000000, 1.0}});
        PortfolioListView* list = frame.listView();
        list->fill();
        QSignalSpy resets(list->model(), &QAbstractItemModel::modelAboutToBeReset);
        // An item added and one changed in the same burst: the rows no longer match the document.
        addItem(doc, "B", {});
        doc.addItemQuotation(positionNamed(doc, "A"), 2.0, 1700003600);
        list->applyPendingChanges();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "A", "B"}));
        // A change that moves several rows at once rebuilds as well.
        list->sortByHeader(int(ItemColumn::Value));
        addItem(doc, "C", {{1700000000, 3.0}});
        list->fill();
        doc.addItemQuotation(positionNamed(doc, "A"), 9.0, 1700007200);
        doc.addItemQuotation(positionNamed(doc, "C"), 0.5, 1700007200);
        list->applyPendingChanges();
        QCOMPARE(resets.count(), 3);
        QCOMPARE(columnTexts(list, 0), (QStringList{" Invested Amount History", "B", "C", "A"}));
    }

    void aDeselectedRowLosesItsHighlightRightOfTheColumns()
    {
        TestEnvironment env;
        PortfolioDocument doc;
        doc.newPortfolio();
        addItem(doc, "One", {});
        addItem(doc, "Two", {});
        PortfolioListView list(doc);
        list.initialUpdate();
        for (int column = 0; column < kItemColumnCount; ++column)
            list.header()->resizeSection(column, 20);
        list.resize(600, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        selectItemsNamed(&list, {"One", "Two"}, "Two");
        QTest::qWait(20);
        // What the screen holds right of the last column, not a fresh rendering.
        const auto pixelRightOf = [&list](const QString& name) {
            const int row = columnTexts(&list, 0).indexOf(name);
            const QPoint inViewport(list.viewport()->width() - 10,
                                    list.visualRect(list.model()->index(row, 0)).center().y());
            const QImage screen = list.screen()->grabWindow(list.winId()).toImage();
            return screen.pixelColor(list.viewport()->mapTo(&list, inViewport));
        };
        const QColor highlight = list.palette().color(QPalette::Highlight);
        QCOMPARE(pixelRightOf("Two"), highlight);
        const int two = columnTexts(&list, 0).indexOf("Two");
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list.visualRect(list.model()->index(two, 0)).center());
        QTest::qWait(20);
        QCOMPARE(list.selectedItems().size(), size_t(1));
        QCOMPARE(pixelRightOf("One"), highlight);
        QCOMPARE(pixelRightOf("Two"), list.palette().color(QPalette::Base));
    }

    void newItemsBecomeTheFocusedSelectionInView()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        PortfolioDocument& doc = frame.document();
        for (int i = 100; i < 300; ++i)
            addItem(doc, "Item " + std::to_string(i), {{1700000000, 1.0}, {1700086400, 2.0}});
        addItem(doc, "A", {{1700000000, 1.0}, {1700086400, 2.0}, {1700172800, 3.0}});
        PortfolioListView* list = frame.listView();
        list->fill();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        ChartView* chart = child<ChartView>(&frame, "chart");
        // The focused row's name, the selected names, whether the row is in view and has the keyboard, the
        // points the chart draws.
        const auto shown = [&] {
            QStringList selected;
            for (PortfolioDocument::ItemId id : list->selectedItems())
                selected << QString::fromStdString(doc.item(doc.positionOf(id)).name);
            const bool inView = list->viewport()->rect().contains(list->visualRect(list->currentIndex()));
            chart->repaint();
            return QStringList{list->currentIndex().data().toString(), selected.join(','),
                               inView ? "in view" : "out of view", frame.focusWidget() == list ? "focus" : "no focus",
                               QString::number(chart->drawing().points.size())};
        };
        selectItems(list, {"A"});
        child<QAction>(&frame, "copy")->trigger();
        selectItems(list, {"Item 299"});
        list->scrollToBottom();
        child<QAction>(&frame, "paste")->trigger();
        QCOMPARE(shown(), (QStringList{"Copy of A", "Copy of A", "in view", "focus", "3"}));

        list->scrollToTop();
        whenModal<ItemPropertiesDialog>([](ItemPropertiesDialog* sheet) {
            sheet->generalPage()->nameField()->setText("Zulu");
            sheet->accept();
        });
        child<QAction>(&frame, "insertItem")->trigger();
        QCOMPARE(shown(), (QStringList{"Zulu", "Zulu", "in view", "focus", "0"}));
    }

    void defaultWidthsFollowTheFont()
    {
        // Wider fonts widen the defaults by their average character width / 6; narrower ones keep them.
        const QList<std::pair<int, std::array<int, 9>>> cases{
            {6, {200, 112, 63, 63, 70, 95, 95, 116, 107}},
            {3, {200, 112, 63, 63, 70, 95, 95, 116, 107}},
            {9, {300, 168, 94, 94, 105, 142, 142, 174, 160}},
        };
        for (const auto& [average, widths] : cases)
            QCOMPARE(ListLayout::defaultWidths(average), widths);
        // Stored widths stay as stored; missing ones take the scaled default.
        const auto parsed = ListLayout::parseWidths(QStringLiteral("150"), 12);
        QCOMPARE(parsed[0], 150);
        QCOMPARE(parsed[1], 224);

        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        const auto shown = ListLayout::defaultWidths(frame.listView()->fontMetrics().averageCharWidth());
        QCOMPARE(frame.listView()->currentLayout().widths, shown);
    }

    void screenshotOfTheMainWindow()
    {
        const QByteArray target = qgetenv("TICKORA_SCREENSHOT");
        if (target.isEmpty())
            QSKIP("TICKORA_SCREENSHOT names the image to write");
        if (qgetenv("TICKORA_SCREENSHOT_PALETTE") == "dark")
            useDarkPalette();
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        const time_t now = time(nullptr);
        // Half a year of daily closes for the item the chart shows.
        std::vector<Quotation> acme;
        double value = 80.0;
        for (int day = 180; day >= 1; --day) {
            value *= 1.0 + 0.012 * std::sin(day * 0.37) + 0.004 * std::cos(day * 1.3) + 0.0015;
            acme.push_back({now - day * 86400, value});
        }
        acme.push_back({now - 3600, value * 1.02});
        addItem(doc, "ACME Industries", acme, 50, 90);
        addItem(doc, "Global Bond Fund", {{now - 400 * 86400, 52.0}, {now - 86400, 49.3}, {now - 600, 48.9}}, 120, 50);
        addItem(doc, "EUR/USD", {{now - 30 * 86400, 1.07}, {now - 86400, 1.09}, {now - 900, 1.09}});
        addItem(doc, "Tech Index", {{now - 1200 * 86400, 3100.0}, {now - 86400, 4420.0}, {now - 1200, 4460.5}});
        frame.listView()->fill();
        frame.listView()->portfolioOpened();
        frame.resize(std::max(1000, frame.listView()->header()->length() + 24), 640);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        for (int row = 0; row < frame.listView()->model()->rowCount(); ++row) {
            const QModelIndex index = frame.listView()->model()->index(row, 0);
            if (index.data().toString() == QStringLiteral("ACME Industries"))
                frame.listView()->setCurrentIndex(index);
        }
        QTest::qWait(50);
        QVERIFY(frame.grab().save(QString::fromLocal8Bit(target)));
    }
};

QTEST_MAIN(TestPortfolioList)
#include "PortfolioListTest.moc"
