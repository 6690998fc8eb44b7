// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/app/MainWindow.h"
#include "gui/download/DownloadsWindow.h"

#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

// At twice the pixels per point every picture is drawn at the screen's resolution, not enlarged.
class TestHighDpi : public GuiTestCase {
    Q_OBJECT
private slots:
    void picturesAreDrawnForTheScreensResolution()
    {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        TestEnvironment env;
        MainWindow frame(quietOptions(), false);
        const QPixmap trend = frame.listView()->model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
        QCOMPARE(trend.devicePixelRatio(), 2.0);
        QCOMPARE(trend.size(), QSize(32, 32));
        const QList<QToolBar*> bars = frame.findChildren<QToolBar*>();
        QVERIFY(!bars.isEmpty());
        for (QAction* action : bars.first()->actions()) {
            if (action->isSeparator())
                continue;
            const QPixmap shown = action->icon().pixmap(bars.first()->iconSize(), 2.0);
            QVERIFY2(shown.size() == bars.first()->iconSize() * 2, qPrintable(action->objectName()));
        }
        DownloadsWindow downloads;
        DownloadEvent started;
        started.itemRef = 1;
        downloads.showDownloadEvent(started);
        const QIcon state = downloads.findChild<QTreeWidget*>()->topLevelItem(0)->icon(0);
        QCOMPARE(state.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "HighDpiTest.moc"
