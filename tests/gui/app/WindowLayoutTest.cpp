// SPDX-License-Identifier: GPL-3.0-or-later
#include "DarkPalette.h"
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/app/MainWindow.h"
#include "gui/views/PortfolioListModel.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QtTest>

namespace {

// The status panes that stand beside the prompt: invested amount, download count, clock.
QList<QLabel*> panesBesidePrompt(MainWindow& frame)
{
    return frame.statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
}

bool anyPaneVisible(MainWindow& frame)
{
    const QList<QLabel*> panes = panesBesidePrompt(frame);
    return std::any_of(panes.begin(), panes.end(), [](const QLabel* pane) { return pane->isVisible(); });
}

} // namespace

class TestWindowLayout : public GuiTestCase {
    Q_OBJECT
private slots:
    void listAndChartShareAChangeOfHeight()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        frame.resize(900, 500);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* splitter = child<QSplitter>(&frame, "paneSplitter");
        const int total = splitter->sizes()[0] + splitter->sizes()[1];
        splitter->setSizes({total / 4, total - total / 4});
        const QList<int> before = splitter->sizes();
        for (int height : {800, 400}) {
            frame.resize(900, height);
            QTRY_VERIFY(splitter->sizes() != before);
            const QList<int> after = splitter->sizes();
            // The list keeps its quarter of the height, give or take a pixel of rounding.
            const double share = double(after[0]) / (after[0] + after[1]);
            QVERIFY2(std::abs(share - double(before[0]) / (before[0] + before[1])) < 0.01,
                     qPrintable(QStringLiteral("%1 of %2").arg(after[0]).arg(after[0] + after[1])));
        }
    }

    void openMenuLeavesTheWholeStatusBarToItsPrompt()
    {
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(panesBesidePrompt(frame).size(), 3);
        QVERIFY(anyPaneVisible(frame));
        const QList<QMenu*> menus = frame.menuBar()->findChildren<QMenu*>();
        QVERIFY(menus.size() >= 2);
        menus[0]->popup(frame.mapToGlobal(QPoint(10, 10)));
        QVERIFY(!anyPaneVisible(frame));
        // Another menu opening before the first one's end is reported keeps the bar to the prompt.
        menus[1]->popup(frame.mapToGlobal(QPoint(60, 10)));
        menus[0]->hide();
        QVERIFY(!anyPaneVisible(frame));
        menus[1]->hide();
        for (QLabel* pane : panesBesidePrompt(frame))
            QVERIFY(pane->isVisible());
    }

    void darkPaletteKeepsTheGreyRowReadable()
    {
        useDarkPalette();
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        frame.resize(900, 500);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        PortfolioListView* list = frame.listView();
        const QModelIndex history = list->model()->index(0, 0);
        QVERIFY(history.data(PortfolioListModel::SpecialRole).toBool());
        list->selectionModel()->clearSelection();
        // The row's name between the icon and the coloured dot: dark text on the light grey.
        const QRect rect = list->visualRect(history).adjusted(24, 0, -14, 0);
        const QImage row = list->viewport()->grab(rect).toImage();
        int darkPixels = 0;
        for (int y = 0; y < row.height(); ++y) {
            for (int x = 0; x < row.width(); ++x)
                darkPixels += qGray(row.pixel(x, y)) < 90 ? 1 : 0;
        }
        QVERIFY2(darkPixels > 20, qPrintable(QString::number(darkPixels)));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "WindowLayoutTest.moc"
