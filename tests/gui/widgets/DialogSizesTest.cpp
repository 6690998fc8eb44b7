// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "core/importexport/ImportEngine.h"
#include "core/servers/ServerConfig.h"
#include "gui/download/DownloadsWindow.h"
#include "gui/importexport/ImportDialog.h"
#include "gui/importexport/ImportLocationDialog.h"
#include "gui/servers/ServerPropertiesDialog.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QSize kSmallScreen(1024, 768);
// A window manager's title bar and a desktop panel take this much of the screen's height.
constexpr int kTitleAndPanel = 40;

bool fitsSmallScreen(QDialog& dialog)
{
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return false;
    const QSize size = dialog.frameGeometry().size();
    if (size.width() <= kSmallScreen.width() && size.height() + kTitleAndPanel <= kSmallScreen.height())
        return true;
    qWarning("%s is %dx%d", qPrintable(dialog.windowTitle()), size.width(), size.height());
    return false;
}

DownloadEvent itemEvent(DownloadEventKind kind, uint64_t item)
{
    DownloadEvent event;
    event.kind = kind;
    event.threadId = 3735928559u;
    event.itemName = "Item " + std::to_string(item);
    event.itemRef = item;
    return event;
}

} // namespace

class TestDialogSizes : public GuiTestCase {
    Q_OBJECT
private slots:
    void longDialogsFitASmallScreen()
    {
        TestEnvironment env;
        ImportLocationDialog location(ImportSettings::initial(1700000000));
        QVERIFY(fitsSmallScreen(location));
        ServerConfig advanced = ServerConfig::newServerDefaults();
        advanced.Filtering = 1;
        ServerPropertiesDialog server(advanced, "Bank", "Item", "SYM");
        QVERIFY(server.advancedShown());
        QVERIFY(fitsSmallScreen(server));
    }

    void downloadsWindowShowsItsStatusTextsAndJobNumbers()
    {
        TestEnvironment env;
        DownloadsWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (uint64_t item : {1, 2})
            window.showDownloadEvent(itemEvent(DownloadEventKind::Started, item));
        DownloadEvent held = itemEvent(DownloadEventKind::Implausible, 2);
        held.quotation = Quotation{1700000000, 12345.6789};
        held.lastValue = 1234.5678;
        window.showDownloadEvent(held);
        QCOMPARE(window.jobNumberOf(0), QStringLiteral("1"));
        QCOMPARE(window.jobNumberOf(1), QStringLiteral("2"));
        const auto* list = window.findChild<QTreeWidget*>();
        const int status = list->fontMetrics().horizontalAdvance(window.statusTextOf(1));
        QVERIFY2(list->columnWidth(2) > status, qPrintable(window.statusTextOf(1)));
        QVERIFY(list->viewport()->width() >= list->header()->length());
    }

    void importFormatShowsItsBeginningAndOffersCommonLayouts()
    {
        TestEnvironment env;
        ImportSettings settings = ImportSettings::initial(1700000000);
        settings.format = "[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]";
        ImportDialog dialog("Item", "SYM", settings);
        dialog.show();
        auto* format = child<QLineEdit>(&dialog, "formatField");
        QCOMPARE(format->cursorPosition(), 0);
        // A line of each layout and the quotation it holds.
        const QList<std::tuple<QString, std::string, double>> samples = {
            {"Date,Open,High,Low,Close", "2024-03-05,10.5,11.25,10.0,11.0\n", 11.0},
            {"Date,Close", "2024-03-05,11.0\n", 11.0},
            {"Date Time,Close", "2024-03-05 17:30,11.0\n", 11.0},
            {"Date,Open,High,Low,Close (MM/DD/YYYY)", "03/05/2024,10.5,11.25,10.0,11.0\n", 11.0},
            {"Datum;Er\u00f6ffnung;Hoch;Tief;Schluss", "05.03.2024;10.5;11.25;10.0;11.0\n", 11.0},
            {"Date,Open,High,Low,Close,Volume,Adj Close", "2024-03-05,10.5,11.25,10.0,11.0,5000,10.75\n", 10.75},
        };
        auto* layouts = child<QListWidget>(&dialog, "layoutList");
        QCOMPARE(layouts->count(), samples.size());
        for (int row = 0; row < layouts->count(); ++row) {
            const auto& [header, line, value] = samples[row];
            QCOMPARE(layouts->item(row)->text(), header);
            layouts->scrollToItem(layouts->item(row));
            QTest::mouseClick(layouts->viewport(), Qt::LeftButton, {},
                              layouts->visualItemRect(layouts->item(row)).center());
            QCOMPARE(format->cursorPosition(), 0);
            ImportEngine::Rule rule;
            rule.pattern = ImportPattern::translate(format->text().toStdString(), "", ".", "SYM");
            const ImportEngine::Gathered gathered = ImportEngine::runOnText(line, rule, 1700000000);
            QCOMPARE(gathered.quotations.size(), size_t(1));
            QCOMPARE(gathered.quotations[0].value, value);
            QCOMPARE(QDateTime::fromSecsSinceEpoch(gathered.quotations[0].time).date(), QDate(2024, 3, 5));
        }
    }
};

QTEST_MAIN(TestDialogSizes)
#include "DialogSizesTest.moc"
