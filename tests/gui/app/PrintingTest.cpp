// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/app/MainWindow.h"
#include "gui/app/PrintCommands.h"
#include "render/ChartRenderer.h"

#include <QAction>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The page count that pdfinfo reads from the file, -1 when it cannot.
int pdfPages(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0)
        return -1;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(QString::fromLocal8Bit(pdfinfo.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class TestPrinting : public GuiTestCase {
    Q_OBJECT
public:
    TestPrinting() : GuiTestCase("UTC") { }

private slots:
    void pagesOfTheSelectedItems()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioDocument& doc = frame.document();
        QPrinter* loaded = child<PrintCommands>(&frame, "printCommands")->printer();
        QVERIFY(loaded);
        QPrinter& printer = *loaded;
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        // Entries per page from the measured fonts: (page height - 2.5 hB) / 3.9 hA.
        const int hB = QFontMetrics(ChartStyle::blackFont(12), &printer).height();
        const int hA = QFontMetrics(ChartStyle::sansFont(11), &printer).height();
        const int rows = (printer.height() - int(2.5 * hB)) / int(3.9 * hA);
        QVERIFY(rows > 1);
        QStringList names;
        for (int i = 0; i <= rows; ++i) {
            PortfolioItem item = PortfolioItem::newItem("Item " + std::to_string(i), 1700000000, unsigned(i));
            item.quotations = {{localTime(2024, 3, 1), 10.0 + i}, {localTime(2024, 3, 2), 11.0 + i}};
            doc.addItem(item);
            names << QStringLiteral("Item %1").arg(i);
        }
        frame.listView()->fill();
        const QList<std::pair<int, int>> cases{{0, 0}, {1, 1}, {2, 2}, {rows, 2}, {rows + 1, 3}};
        for (const auto& [selected, pages] : cases) {
            const QString pdf = QString::fromStdString(env.path("print" + std::to_string(selected) + ".pdf"));
            printer.setOutputFileName(pdf);
            selectItems(frame.listView(), names.mid(0, selected));
            QString title;
            whenModal<QPrintDialog>([&title](QPrintDialog* dialog) {
                title = dialog->windowTitle();
                dialog->accept();
            });
            child<QAction>(&frame, "print")->trigger();
            QCOMPARE(title, QStringLiteral("Print"));
            if (pages == 0)
                QVERIFY(!QFile::exists(pdf));
            else
                QCOMPARE(pdfPages(pdf), pages);
        }
    }

    void previewShowsThePages()
    {
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        PortfolioItem item = PortfolioItem::newItem("Alpha", 1700000000, 1);
        item.quotations = {{localTime(2024, 3, 1), 10.0}, {localTime(2024, 3, 2), 11.0}};
        frame.document().addItem(item);
        frame.listView()->fill();
        selectItems(frame.listView(), {"Alpha"});
        QVERIFY(child<QAction>(&frame, "printPreview")->isEnabled());
        bool shown = false;
        whenModal<QPrintPreviewDialog>([&shown](QPrintPreviewDialog* dialog) {
            shown = true;
            dialog->reject();
        });
        child<QAction>(&frame, "printPreview")->trigger();
        QVERIFY(shown);
    }
};

QTEST_MAIN(TestPrinting)
#include "PrintingTest.moc"
