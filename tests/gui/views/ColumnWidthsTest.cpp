// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "OffscreenScreen.h"
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/views/ListRowDelegate.h"
#include "gui/views/PortfolioListModel.h"
#include "render/TextShortening.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

namespace {

// Long figures: four-digit values with their changes, a large investment and a long name.
std::string widePortfolio(const TestEnvironment& env)
{
    PortfolioDocument doc(1);
    doc.newPortfolio();
    PortfolioItem fund = PortfolioItem::newItem("Vanguard FTSE All-World High Dividend Yield", 1700000000, 1);
    fund.quotations = {{1700000000, 2751.375}, {1700086400, 2796.1284}, {1700090000, 2801.5}};
    fund.quantity = 1234.5;
    fund.avgBuyPrice = 2650.25;
    doc.addItem(fund);
    PortfolioItem small = PortfolioItem::newItem("X", 1700000000, 2);
    small.quotations = {{1700000000, 0.5}};
    doc.addItem(small);
    const std::string path = env.path("wide.tkr");
    if (!doc.savePortfolio(path))
        qFatal("cannot save %s", path.c_str());
    return path;
}

QFont cellFont(const PortfolioListView* list, const QModelIndex& index)
{
    return index.data(PortfolioListModel::SpecialRole).toBool() ? ListRowDelegate::specialRowFont() : list->font();
}

// The width a column needs: its header and its widest cell, as the delegate measures them.
int neededWidth(const PortfolioListView* list, int column)
{
    const auto* delegate = static_cast<const ListRowDelegate*>(list->itemDelegate());
    int needed = list->header()->sectionSizeHint(column);
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        QStyleOptionViewItem option;
        const QModelIndex index = list->model()->index(row, column);
        option.font = cellFont(list, index);
        needed = std::max(needed, delegate->fullTextWidth(option, index));
    }
    return needed;
}

// The texts the delegate would shorten at the columns' present widths.
QStringList cutCells(const PortfolioListView* list)
{
    QStringList cut;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        for (int column = 0; column < kItemColumnCount; ++column) {
            const QModelIndex index = list->model()->index(row, column);
            const QString text = index.data().toString();
            const int width = list->header()->sectionSize(column);
            const QFontMetrics metrics(cellFont(list, index));
            const QString shown = column == 0 ? shortenText(text, width - ListRowDelegate::kFirstColumnPictures,
                                                            ListRowDelegate::kFirstColumnMargin, metrics)
                                              : shortenText(text, width, ListRowDelegate::kOtherColumnMargin, metrics);
            if (shown != text)
                cut << text;
        }
    }
    return cut;
}

bool tooltipShownAt(PortfolioListView* list, const QModelIndex& index)
{
    QToolTip::hideText();
    QTest::qWait(400);
    const QPoint at = list->visualRect(index).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    return QToolTip::isVisible() && QToolTip::text() == index.data().toString();
}

} // namespace

class TestColumnWidths : public GuiTestCase {
    Q_OBJECT
public:
    TestColumnWidths() : GuiTestCase("UTC", "C") { }

private slots:
    void openedPortfolioFitsTheWidestTexts_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("8 pt") << 8;
        QTest::newRow("15 pt") << 15;
    }

    void openedPortfolioFitsTheWidestTexts()
    {
        QFETCH(int, pointSize);
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        PortfolioListView* list = frame.listView();
        QFont font = list->font();
        font.setPointSize(pointSize);
        list->setFont(font);
        frame.show();
        QVERIFY(frame.documents()->openPortfolio(QString::fromStdString(widePortfolio(env))));
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(cutCells(list), QStringList());
        for (int column = 0; column < kItemColumnCount; ++column)
            QCOMPARE(list->header()->sectionSize(column), neededWidth(list, column));
    }

    void doubleClickOnADividerFitsItsColumn()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        frame.show();
        QVERIFY(frame.documents()->openPortfolio(QString::fromStdString(widePortfolio(env))));
        QHeaderView* header = frame.listView()->header();
        const int fitted = header->sectionSize(2);
        header->resizeSection(2, fitted / 3);
        QVERIFY(!cutCells(frame.listView()).isEmpty());
        const int divider = header->sectionViewportPosition(2) + header->sectionSize(2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(divider, header->height() / 2));
        QCOMPARE(header->sectionSize(2), fitted);
    }

    void storedWidthsStayWhenAPortfolioOpens()
    {
        TestEnvironment env;
        SettingsStore::setValue(SettingsKey::ListColumnsWidth, QStringLiteral("190,180,170,160,150,140,130,120,110,0"));
        MainWindow frame(quietOptions(), false);
        frame.show();
        QVERIFY(frame.documents()->openPortfolio(QString::fromStdString(widePortfolio(env))));
        QCOMPARE(frame.listView()->currentLayout().widths,
                 (std::array<int, 9>{190, 180, 170, 160, 150, 140, 130, 120, 110}));
    }

    void onlyACutCellShowsItsTextAsTooltip()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        frame.show();
        QVERIFY(frame.documents()->openPortfolio(QString::fromStdString(widePortfolio(env))));
        PortfolioListView* list = frame.listView();
        const QModelIndex value = list->model()->index(1, 2);
        QVERIFY(!tooltipShownAt(list, value));
        list->header()->resizeSection(2, 20);
        QVERIFY(tooltipShownAt(list, value));
    }

    void firstWindowShowsAllColumnsOnALaptopScreen()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const PortfolioListView* list = frame.listView();
        QVERIFY(list->viewport()->width() >= list->header()->length());
        QVERIFY(frame.frameGeometry().width() <= 1366);
        QVERIFY(frame.frameGeometry().height() <= 768);
    }
};

int main(int argc, char** argv)
{
    useOffscreenScreen(1366, 768);
    QApplication app(argc, argv);
    TestColumnWidths test;
    return QTest::qExec(&test, argc, argv);
}

#include "ColumnWidthsTest.moc"
