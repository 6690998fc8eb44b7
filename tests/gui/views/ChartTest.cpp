// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "core/model/PortfolioFile.h"
#include "core/model/PortfolioTotals.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/MainWindow.h"
#include "gui/app/StatusPanes.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/items/ItemQuotationsPage.h"
#include "gui/views/ChartView.h"
#include "gui/views/ComparisonSettingsDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

#include <functional>

namespace {

PortfolioItem itemWith(const std::string& name, std::vector<Quotation> quotations, unsigned colour)
{
    PortfolioItem item = PortfolioItem::newItem(name, 1700000000, colour);
    item.quotations = std::move(quotations);
    return item;
}

std::vector<Quotation> rising(time_t from, int days, double start)
{
    std::vector<Quotation> quotations;
    for (int day = 0; day < days; ++day)
        quotations.push_back({from + day * 86400, start + day});
    return quotations;
}

struct Opened {
    QString page;
    int quotationRow = -1;
    QString quotationText;
};

// The property sheet `command` opens: its current page and the Quotations page's selected row.
Opened openedBy(const std::function<void()>& command)
{
    Opened opened;
    whenModal<ItemPropertiesDialog>([&](ItemPropertiesDialog* sheet) {
        opened.page =
            child<QTabWidget>(sheet, "pageTabs")->tabText(child<QTabWidget>(sheet, "pageTabs")->currentIndex());
        if (const QListWidget* rows =
                child<QListWidget>(child<ItemQuotationsPage>(sheet, "quotationsPage"), "quotationList")) {
            opened.quotationRow = rows->currentRow();
            if (rows->currentItem())
                opened.quotationText = rows->currentItem()->text();
        }
        sheet->reject();
    });
    command();
    return opened;
}

} // namespace

class TestChart : public GuiTestCase {
    Q_OBJECT
public:
    TestChart() : GuiTestCase("UTC", "C") { }

private slots:
    void followsTheSelectionAndTheDocument()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        const time_t day = localTime(2024, 3, 1, 18);
        doc.addItem(itemWith("Alpha", rising(day, 5, 100), 1));
        doc.addItem(itemWith("Beta", rising(day, 8, 50), 2));
        frame.listView()->fill();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        ChartView* chart = child<ChartView>(&frame, "chart");
        QCOMPARE(child<QSplitter>(&frame, "paneSplitter")->widget(1), chart);

        selectItems(frame.listView(), {"Alpha"});
        chart->repaint();
        QCOMPARE(chart->drawing().points.size(), size_t(5));
        QVERIFY(!chart->comparisonMode());

        // A new quotation reaches the chart through the document.
        doc.addItemQuotation(doc.positionOf(frame.listView()->focusedItem()), 110, day + 9 * 86400);
        chart->repaint();
        QCOMPARE(chart->drawing().points.size(), size_t(6));

        selectItems(frame.listView(), {"Alpha", "Beta"});
        chart->repaint();
        QVERIFY(chart->comparisonMode());
        QVERIFY(chart->drawing().points.empty());
        QCOMPARE(chart->drawing().from, day);
        QCOMPARE(chart->drawing().legend.size(), size_t(2));
        QCOMPARE(chart->drawing().legend.at(1).name, QStringLiteral("Beta"));
        QVERIFY(chart->accessibleDescription().isEmpty());

        // A comparison without a common period says why, also to a screen reader.
        doc.addItem(itemWith("Gamma", {{day, 5}}, 3));
        frame.listView()->fill();
        selectItems(frame.listView(), {"Alpha", "Gamma"});
        chart->repaint();
        const QString reason = "No common period: Gamma has fewer than two quotations in the chosen period.";
        QCOMPARE(chart->drawing().emptyReason, reason);
        QCOMPARE(chart->accessibleDescription(), reason);
    }

    void hoverReadOutAndReady()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        const time_t day = localTime(2024, 3, 1, 18);
        doc.addItem(itemWith("Alpha", {{day, 100}, {day + 86400, 110}, {day + 2 * 86400, 105}}, 1));
        frame.listView()->fill();
        frame.resize(900, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        selectItems(frame.listView(), {"Alpha"});
        ChartView* chart = child<ChartView>(&frame, "chart");
        chart->repaint();
        const ChartPoint second = chart->drawing().points.at(1);
        QTest::mouseMove(chart, QPoint(second.x + 2, second.y));
        QTRY_COMPARE(chart->hoverIndex(), 1);
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("03/02/24  18:00 : 110.0000"));
        // The marker inverts the pixels between the axis and the point.
        const QImage marked = chart->grab().toImage();
        const QRect axis = chart->drawing().axisFrame;
        int inverted = 0;
        for (int y = second.y + 3; y < axis.y() + axis.height(); ++y)
            inverted += marked.pixelColor(second.x, y) == QColor(Qt::black);
        QVERIFY(inverted > 0);

        QTest::mouseMove(frame.listView()->viewport(), QPoint(20, 20));
        QTRY_COMPARE(chart->hoverIndex(), -1);
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));

        // A double click opens the quotations page with the record under the marker selected (newest first).
        QTest::mouseMove(chart, QPoint(second.x, second.y));
        QTRY_COMPARE(chart->hoverIndex(), 1);
        const Opened clicked =
            openedBy([&] { QTest::mouseDClick(chart, Qt::LeftButton, {}, QPoint(second.x, second.y)); });
        QCOMPARE(clicked.page, QStringLiteral("Quotations"));
        QCOMPARE(clicked.quotationRow, 1);
        QVERIFY2(clicked.quotationText.contains(QStringLiteral("110")), qPrintable(clicked.quotationText));
        // Away from any point it opens the page at the newest record.
        QTest::mouseMove(frame.listView()->viewport(), QPoint(20, 20));
        QTRY_COMPARE(chart->hoverIndex(), -1);
        const Opened newest = openedBy([&] { QTest::mouseDClick(chart, Qt::LeftButton, {}, QPoint(2, 2)); });
        QCOMPARE(newest.page, QStringLiteral("Quotations"));
        QCOMPARE(newest.quotationRow, 0);
    }

    void contextMenusOfBothModes()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        const time_t day = localTime(2024, 3, 1, 18);
        doc.addItem(itemWith("Alpha", rising(day, 3, 100), 1));
        doc.addItem(itemWith("Beta", rising(day, 3, 100), 2));
        frame.listView()->fill();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        ChartView* chart = child<ChartView>(&frame, "chart");
        for (const auto& [names, menu] :
             {std::pair{QStringList{"Alpha"}, child<QMenu>(&frame, "chartContextMenu")},
              std::pair{QStringList{"Alpha", "Beta"}, child<QMenu>(&frame, "comparisonContextMenu")}}) {
            selectItems(frame.listView(), names);
            chart->setFocus();
            QTest::keyClick(chart, Qt::Key_F10, Qt::ShiftModifier);
            QTRY_VERIFY(menu->isVisible());
            QCOMPARE(menu->pos(), chart->mapToGlobal(QPoint(5, 5)));
            menu->hide();
        }
        // The single chart's "&Properties" opens the item's Graphic page.
        selectItems(frame.listView(), {"Alpha"});
        frame.refreshCommandStates();
        QVERIFY(child<QAction>(&frame, "chartProperties")->isEnabled());
        const Opened opened = openedBy([&] { child<QMenu>(&frame, "chartContextMenu")->actions().first()->trigger(); });
        QCOMPARE(opened.page, QStringLiteral("Graphic"));
    }

    void settingsAndSplit()
    {
        TestEnvironment env;
        {
            auto settings = SettingsStore::open();
            settings->setValue("GraphView/Beginb", 1);
            settings->setValue("GraphView/BeginYear", 2003);
            settings->setValue("GraphView/BeginMonth", 4);
            settings->setValue("GraphView/BeginDay", 5);
            settings->setValue("GraphView/bGrid", 0);
            settings->setValue("ListView/Dimensions", 180);
        }
        MainWindow frame(GeneralOptions(), false);
        frame.resize(900, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(child<QSplitter>(&frame, "paneSplitter")->sizes().value(0), 180);
        ComparisonSettings read = child<ChartView>(&frame, "chart")->comparison();
        QVERIFY(read.useBegin);
        QCOMPARE(read.beginYear, 2003);
        QCOMPARE(read.beginMonth, 4);
        QCOMPARE(read.beginDay, 5);
        QVERIFY(!read.useEnd);
        QCOMPARE(read.endYear, 2005);
        QVERIFY(!read.grid);

        // The dialog shows them, enables a picker only with its box, and OK hands the values to the chart.
        whenModal<ComparisonSettingsDialog>([](ComparisonSettingsDialog* dialog) {
            QVERIFY(child<QCheckBox>(dialog, "startBox")->isChecked());
            QVERIFY(child<QDateEdit>(dialog, "startPicker")->isEnabled());
            QCOMPARE(child<QDateEdit>(dialog, "startPicker")->date(), QDate(2003, 4, 5));
            QVERIFY(!child<QDateEdit>(dialog, "endPicker")->isEnabled());
            child<QCheckBox>(dialog, "endBox")->setChecked(true);
            QVERIFY(child<QDateEdit>(dialog, "endPicker")->isEnabled());
            child<QDateEdit>(dialog, "endPicker")->setDate(QDate(2010, 12, 31));
            child<QCheckBox>(dialog, "gridBox")->setChecked(true);
            dialog->accept();
        });
        child<QAction>(&frame, "comparisonLimits")->trigger();
        QCOMPARE(child<ChartView>(&frame, "chart")->comparison().endYear, 2010);
        QVERIFY(child<ChartView>(&frame, "chart")->comparison().useEnd);
        QVERIFY(child<ChartView>(&frame, "chart")->comparison().grid);
        // The profile changes only through "S&ave view options".
        QCOMPARE(SettingsStore::open()->value("GraphView/Endb").toInt(), 0);
        child<QAction>(&frame, "saveViewOptions")->trigger();
        auto settings = SettingsStore::open();
        QCOMPARE(settings->value("GraphView/Endb").toInt(), 1);
        QCOMPARE(settings->value("GraphView/EndYear").toInt(), 2010);
        QCOMPARE(settings->value("GraphView/EndMonth").toInt(), 12);
        QCOMPARE(settings->value("GraphView/EndDay").toInt(), 31);
        QCOMPARE(settings->value("GraphView/bGrid").toInt(), 1);
        QCOMPARE(settings->value("GraphView/BeginYear").toInt(), 2003);
        QCOMPARE(settings->value("ListView/Dimensions").toInt(), 180);
    }

    void investedSummaryOnDoubleClick()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioItem item = itemWith("Alpha", {{localTime(2024, 3, 1), 10}, {localTime(2024, 3, 2), 12}}, 1);
        item.quantity = 10;
        item.avgBuyPrice = 8;
        frame.document().addItem(item);
        frame.listView()->setPercentual(false);
        QLabel* pane = child<QLabel>(&frame, "investedPane");
        QCOMPARE(pane->toolTip(), QStringLiteral("Double-click for a summary"));
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        QTest::mouseDClick(pane, Qt::LeftButton);
        QCOMPARE(MessageDialog::shownTexts(), QStringList{portfolioLine(frame, true)});
        QVERIFY(MessageDialog::shownTexts().first() != child<StatusPanes>(&frame, "statusPanes")->investedText());
    }

    void commandLineDrawsWhatTheWidgetDraws()
    {
        TestEnvironment env;
        const time_t day = localTime(2024, 3, 1, 18);
        PortfolioItem item = itemWith("Alpha", {{day, 100}, {day + 86400, 120}, {day + 5 * 86400, 90}}, 3);
        item.graphValues = 1;
        const std::string path = env.path("chart.tkr");
        QVERIFY(PortfolioFile::save(path, {item}));
        const std::string png = env.path("chart.png");
        const CliResult result =
            runCli({"chart", QString::fromStdString(path), "Alpha", QString::fromStdString(png), "--size", "640x300"},
                   {"TZ=UTC", "LC_ALL=C", "QT_QPA_PLATFORM="});
        QCOMPARE(result.exitCode, 0);
        const QImage drawn(QString::fromStdString(png));
        QCOMPARE(drawn.size(), QSize(640, 300));
        QImage widget(640, 300, QImage::Format_RGB32);
        ChartView::render(widget, {&item}, ComparisonSettings());
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), widget);
    }

private:
    static QString portfolioLine(MainWindow& frame, bool percent)
    {
        return QString::fromStdString(PortfolioTotals::of(frame.document()).statusText(percent));
    }
};

QTEST_MAIN(TestChart)
#include "ChartTest.moc"
