// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/DrawnIconStyle.h"
#include "GuiTestCase.h"
#include "TestEnvironment.h"
#include "gui/app/MainWindow.h"

#include <QFile>
#include <QToolButton>
#include <QtTest>

#include <cstdlib>

namespace {

bool imageFormatPluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

QImage pictureOf(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Antialiased edges may round differently once turned.
bool nearlyEqual(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qAlpha(a.pixel(x, y)) - qAlpha(b.pixel(x, y))) > 24)
                return false;
    return true;
}

} // namespace

class TestDrawnIconStyle : public GuiTestCase {
    Q_OBJECT
private slots:
    // First: any picture file read before would have loaded the plugins already.
    void mainWindowReadsNoPictureFile()
    {
        QApplication::setStyle(new DrawnIconStyle);
        TestEnvironment env;
        MainWindow frame(GeneralOptions(), false);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        for (const char* name : {"qt_menubar_ext_button", "qt_toolbar_ext_button"}) {
            const auto* button = frame.findChild<QToolButton*>(QLatin1String(name));
            QVERIFY2(button && !button->icon().isNull(), name);
        }
        QVERIFY(!imageFormatPluginLoaded());
    }

    void extensionChevronsAndOtherIcons()
    {
        DrawnIconStyle drawn;
        const QStyle& style = drawn;
        const QImage right = pictureOf(style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
        const QImage down = pictureOf(style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton));
        QVERIFY(!nearlyEqual(right, down));
        QVERIFY(nearlyEqual(right.transformed(QTransform(0, 1, 1, 0, 0, 0)), down));
        // Everything else is the style's own.
        QCOMPARE(pictureOf(style.standardIcon(QStyle::SP_DialogOkButton)),
                 pictureOf(drawn.baseStyle()->standardIcon(QStyle::SP_DialogOkButton)));
        QVERIFY(!style.standardIcon(QStyle::SP_DialogOkButton).isNull());
    }
};

QTEST_MAIN(TestDrawnIconStyle)
#include "DrawnIconStyleTest.moc"
