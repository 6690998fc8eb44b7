// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/app/OptionsDialog.h"
#include "gui/app/RestoreBackupDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Saves one, two and three items in turn; returns the file's bytes after each save.
QStringList threeSaves(const std::string& path)
{
    PortfolioDocument doc;
    QStringList versions;
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        doc.addItem(PortfolioItem::newItem(name, 1700000000, 1));
        std::string failure;
        if (!doc.savePortfolio(path, &failure) || !failure.empty())
            return {};
        versions << QString::fromLatin1(QByteArray::fromStdString(readFileBytes(path)).toHex());
    }
    return versions;
}

QString bytesOf(const std::string& path)
{
    return QString::fromLatin1(QByteArray::fromStdString(readFileBytes(path)).toHex());
}

} // namespace

class TestRestoreBackup : public GuiTestCase {
    Q_OBJECT
private slots:

    void restoresTheChosenBackupAfterAsking()
    {
        TestEnvironment env;
        const std::string path = env.path("p.tkr");
        const QStringList versions = threeSaves(path);
        QCOMPARE(versions.size(), 3);
        GeneralOptions options;
        options.Autoupdate = 0;
        MainWindow frame(options, false);
        QVERIFY(frame.documents()->openPortfolio(QString::fromStdString(path)));

        QStringList rows;
        QString lastTime;
        whenModal<RestoreBackupDialog>([&](RestoreBackupDialog* dialog) {
            QTreeWidget* list = dialog->findChild<QTreeWidget*>("backups");
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                const QTreeWidgetItem* item = list->topLevelItem(row);
                rows << QStringList{item->text(0), item->text(2), item->text(3)}.join('|');
            }
            lastTime = list->topLevelItem(0)->text(1);
            // A "No" leaves the dialog open and the file alone; "Yes" restores.
            MessageDialog::setNextAnswer(QMessageBox::No);
            dialog->accept();
            MessageDialog::setNextAnswer(QMessageBox::Yes);
            dialog->findChild<QPushButton*>("restore")->click();
        });
        child<QAction>(&frame, "restoreBackup")->trigger();
        const QString today = QDate::currentDate().toString("yyyy-MM-dd");
        QCOMPARE(rows, (QStringList{"Last save|2|0", today + "|1|0"}));
        const QString question = QStringLiteral("Replace p.tkr with the backup of %1?").arg(lastTime);
        QCOMPARE(MessageDialog::shownTexts(), (QStringList{question, question}));
        QCOMPARE(bytesOf(path), versions[1]);
        QCOMPARE(bytesOf(path + ".bak"), versions[2]);
        QCOMPARE(frame.document().itemCount(), 2);
        QVERIFY(!frame.document().isModified());
    }

    void optionsKeepTheDaysBetweenZeroAndTenYears()
    {
        TestEnvironment env;
        OptionsDialog dialog(GeneralOptions::readOptions(), DownloadOptions::readOptions());
        auto* days = dialog.findChild<QLineEdit*>("backupDays");
        QCOMPARE(days->text(), QStringLiteral("14"));
        days->setText("3651");
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        dialog.accept();
        QCOMPARE(MessageDialog::shownTexts(), QStringList{"Please enter an integer between 0 and 3650."});
        days->setText("0");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().BackupDays, 0);
    }
};

QTEST_MAIN(TestRestoreBackup)
#include "RestoreBackupTest.moc"
