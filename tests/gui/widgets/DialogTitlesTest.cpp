// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "core/settings/DownloadOptions.h"
#include "core/settings/GeneralOptions.h"
#include "gui/app/OptionsDialog.h"
#include "gui/download/UpdateOnDateDialog.h"
#include "gui/items/InvestmentDialog.h"
#include "gui/items/ItemQuotationDialog.h"
#include "gui/views/ComparisonSettingsDialog.h"

#include <QApplication>
#include <QtTest>

#include <memory>

class TestDialogTitles : public QObject {
    Q_OBJECT
private slots:
    void dialogsAreWideEnoughForTheirTitles()
    {
        TestEnvironment env;
        std::vector<std::unique_ptr<QDialog>> dialogs;
        dialogs.push_back(std::make_unique<UpdateOnDateDialog>(1700000000));
        dialogs.push_back(std::make_unique<ItemQuotationDialog>(QStringLiteral("A"), 1700000000));
        dialogs.push_back(std::make_unique<OptionsDialog>(GeneralOptions(), DownloadOptions()));
        dialogs.push_back(std::make_unique<ComparisonSettingsDialog>(ComparisonSettings()));
        dialogs.push_back(std::make_unique<InvestmentDialog>(InvestmentDialog::Kind::Dividends, "A", 1.0));
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        for (const auto& dialog : dialogs) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            // The title and the frame's buttons, which need at least 100 pixels, fit beside each other.
            const int title = QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle());
            QVERIFY2(dialog->width() >= title + 100, qPrintable(dialog->windowTitle()));
        }
    }
};

QTEST_MAIN(TestDialogTitles)
#include "DialogTitlesTest.moc"
