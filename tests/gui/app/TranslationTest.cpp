// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/app/DesktopApplication.h"
#include "gui/app/MainWindow.h"
#include "gui/app/StatusPanes.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/views/PortfolioRowBuilder.h"

#include <QAction>
#include <QMenuBar>
#include <QtTest>

#include <clocale>

namespace {

// What the window shows in the language that ctest chose for this run (TICKORA_TEST_LANGUAGE, beside LANG).
struct Expected {
    QStringList menuTitles;
    QString newEntry;
    QString insertEntry;
    QString propertiesEntry;
    QString sheetTitle;
    QString invested;
    QString lastChange;
    QString totalChange;
    QString lastUpdate;
    QString qtCancel;
};

Expected expected()
{
    if (qEnvironmentVariable("TICKORA_TEST_LANGUAGE") == QLatin1String("de"))
        return {{"&Datei", "&Wertpapier", "&Ansicht", "E&xtras", "&?"},
                "&Neu",
                "&Neues Wertpapier einfügen",
                "&Eigenschaften",
                "Eigenschaften von Alpha",
                "Anlagebetrag: 0,00",
                "+10,00% (10 Tage)",
                "+10,00% (3,3 Monate)",
                "Dienstag   12:00",
                "Abbrechen"};
    return {{"&File", "&Item", "&View", "E&xtras", "&?"},
            "&New",
            "&Insert new item",
            "P&roperties",
            "Properties of Alpha",
            "Amount invested: 0.00",
            "+10.00% (10 Days)",
            "+10.00% (3.3 Months)",
            "Tuesday   12:00",
            "Cancel"};
}

} // namespace

class TestTranslation : public GuiTestCase {
    Q_OBJECT
public:
    TestTranslation() : GuiTestCase("UTC") { }

private slots:
    void windowSpeaksTheSystemLanguage()
    {
        TestEnvironment env;
        // Numbers and dates in the system's locale, as the program's main() sets it.
        std::setlocale(LC_ALL, "");
        DesktopApplication app(StartOptions{});
        QVERIFY(app.initInstance());
        // A second start in the same process installs nothing twice.
        QVERIFY(app.initInstance());
        MainWindow* frame = app.mainFrame();
        const Expected shown = expected();
        QStringList titles;
        for (const QAction* action : frame->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, shown.menuTitles);
        QCOMPARE(child<QAction>(frame, "fileNew")->text(), shown.newEntry);
        QCOMPARE(child<QAction>(frame, "fileNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(child<QAction>(frame, "insertItem")->text(), shown.insertEntry);
        QCOMPARE(child<QAction>(frame, "properties")->text(), shown.propertiesEntry);
        QCOMPARE(child<StatusPanes>(frame, "statusPanes")->investedText(), shown.invested);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), shown.qtCancel);

        const int pos = frame->document().addItem(PortfolioItem::newItem("Alpha", 1700000000, 1));
        ItemPropertiesDialog sheet(frame->document(), frame->document().itemId(pos), 0, -1);
        QCOMPARE(sheet.windowTitle(), shown.sheetTitle);
    }

    // The periods of the changes speak the language of the weekdays beside them.
    void listCellsNameTheirPeriodsInTheSystemLanguage()
    {
        TestEnvironment env;
        // Numbers and dates in the system's locale, as the program's main() sets it.
        std::setlocale(LC_ALL, "");
        DesktopApplication app(StartOptions{});
        QVERIFY(app.initInstance());
        PortfolioItem item = PortfolioItem::newItem("Alpha", localTime(2023, 9, 24, 12), 1);
        item.quotations = {
            {localTime(2023, 9, 24, 12), 100}, {localTime(2023, 12, 23, 12), 100}, {localTime(2024, 1, 2, 12), 110}};
        const PortfolioRow row = buildPortfolioRow(item, 0, true, localTime(2024, 1, 4, 12));
        const Expected shown = expected();
        QCOMPARE(row.cells[columnIndex(ItemColumn::LastChange)], shown.lastChange);
        QCOMPARE(row.cells[columnIndex(ItemColumn::TotalChange)], shown.totalChange);
        QCOMPARE(row.cells[columnIndex(ItemColumn::LastUpdate)], shown.lastUpdate);
    }
};

QTEST_MAIN(TestTranslation)
#include "TranslationTest.moc"
