// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/AppIcons.h"

#include "render/ListIcons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>

#include <functional>

namespace AppIcons {
namespace {

constexpr int kSize = 32;

// Drawn once per device pixel ratio, so that no screen gets an enlarged, blurred picture.
QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QList<qreal> ratios = {1.0, 2.0};
    if (!ratios.contains(qApp->devicePixelRatio()))
        ratios << qApp->devicePixelRatio();
    QIcon icon;
    for (qreal ratio : ratios) {
        QPixmap pixmap(qRound(kSize * ratio), qRound(kSize * ratio));
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void page(QPainter& p, const QRectF& rect)
{
    p.setPen(QPen(QColor(80, 80, 80), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(rect);
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    for (qreal y = rect.top() + 5; y < rect.bottom() - 2; y += 4)
        p.drawLine(QPointF(rect.left() + 3, y), QPointF(rect.right() - 3, y));
}

void circularArrow(QPainter& p, const QColor& colour)
{
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 5, 22, 22), 60 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({{19, 2}, {28, 6}, {20, 12}}));
}

} // namespace

QIcon application()
{
    QIcon icon;
    for (int size : {16, 32, 64, 128})
        icon.addPixmap(QPixmap::fromImage(ListIcons::applicationIcon(size)));
    return icon;
}

QIcon abortTray()
{
    return QIcon(QPixmap::fromImage(ListIcons::abortIcon(64)));
}

QIcon newPortfolio()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(80, 80, 80), 1.5));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{6, 2}, {20, 2}, {27, 9}, {27, 30}, {6, 30}}));
        p.drawPolyline(QPolygonF({{20, 2}, {20, 9}, {27, 9}}));
    });
}

QIcon openPortfolio()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(140, 100, 20), 1.5));
        p.setBrush(QColor(230, 190, 90));
        p.drawPolygon(QPolygonF({{2, 6}, {11, 6}, {14, 9}, {27, 9}, {27, 27}, {2, 27}}));
        p.setBrush(QColor(250, 215, 120));
        p.drawPolygon(QPolygonF({{2, 27}, {7, 14}, {31, 14}, {27, 27}}));
    });
}

QIcon savePortfolio()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(30, 50, 110), 1.5));
        p.setBrush(QColor(60, 90, 170));
        p.drawPolygon(QPolygonF({{3, 3}, {25, 3}, {29, 7}, {29, 29}, {3, 29}}));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 3, 15, 9));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(8, 18, 16, 11));
    });
}

QIcon about()
{
    return drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 200));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(14, 7, 4, 4));
        p.drawRoundedRect(QRectF(14, 13, 4, 12), 1, 1);
    });
}

QIcon updateAll()
{
    return drawn([](QPainter& p) { circularArrow(p, QColor(30, 140, 50)); });
}

QIcon abortDownloads()
{
    return drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(210, 30, 30));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 11), QPointF(21, 21));
        p.drawLine(QPointF(21, 11), QPointF(11, 21));
    });
}

QIcon manualUpdate()
{
    return drawn([](QPainter& p) {
        page(p, QRectF(4, 3, 18, 24));
        p.setPen(QPen(QColor(40, 80, 200), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 26), QPointF(28, 10));
    });
}

QIcon percentual()
{
    return drawn([](QPainter& p) {
        QFont font = p.font();
        font.setPixelSize(26);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(40, 60, 140));
        p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("%"));
    });
}

QIcon compareAll()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.drawLine(3, 29, 29, 29);
        p.drawLine(3, 29, 3, 3);
        p.setPen(QPen(QColor(220, 40, 40), 2.5));
        p.drawPolyline(QPolygonF({{4, 24}, {12, 16}, {20, 20}, {28, 6}}));
        p.setPen(QPen(QColor(40, 80, 220), 2.5));
        p.drawPolyline(QPolygonF({{4, 20}, {12, 22}, {20, 12}, {28, 14}}));
    });
}

QIcon exportQuotations()
{
    return drawn([](QPainter& p) {
        page(p, QRectF(3, 3, 18, 24));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 140, 50));
        p.drawPolygon(QPolygonF({{16, 12}, {24, 12}, {24, 7}, {31, 16}, {24, 25}, {24, 20}, {16, 20}}));
    });
}

QIcon cut()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.drawLine(QPointF(10, 3), QPointF(20, 21));
        p.drawLine(QPointF(22, 3), QPointF(12, 21));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(200, 30, 30), 2.5));
        p.drawEllipse(QRectF(5, 20, 8, 8));
        p.drawEllipse(QRectF(19, 20, 8, 8));
    });
}

QIcon copy()
{
    return drawn([](QPainter& p) {
        page(p, QRectF(3, 3, 16, 20));
        page(p, QRectF(12, 9, 16, 20));
    });
}

QIcon paste()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(110, 70, 30), 1.5));
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(10, 2, 8, 6));
        page(p, QRectF(13, 12, 16, 18));
    });
}

QIcon insertItem()
{
    return drawn([](QPainter& p) {
        page(p, QRectF(3, 3, 18, 24));
        p.setPen(QPen(QColor(30, 140, 50), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(24, 16), QPointF(24, 28));
        p.drawLine(QPointF(18, 22), QPointF(30, 22));
    });
}

QIcon comparisonLimits()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.drawLine(3, 29, 29, 29);
        p.drawLine(3, 29, 3, 3);
        p.setPen(QPen(QColor(40, 80, 220), 2.5));
        p.drawLine(9, 5, 9, 26);
        p.drawLine(25, 5, 25, 26);
        p.setPen(QPen(QColor(220, 40, 40), 2));
        p.drawPolyline(QPolygonF({{9, 20}, {15, 12}, {20, 16}, {25, 9}}));
    });
}

QIcon importQuotations()
{
    return drawn([](QPainter& p) {
        page(p, QRectF(11, 3, 18, 24));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 80, 200));
        p.drawPolygon(QPolygonF({{1, 12}, {9, 12}, {9, 7}, {16, 16}, {9, 25}, {9, 20}, {1, 20}}));
    });
}

QIcon print()
{
    return drawn([](QPainter& p) {
        page(p, QRectF(8, 2, 16, 12));
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(2, 12, 28, 12), 2, 2);
        page(p, QRectF(8, 20, 16, 10));
    });
}

QIcon printPreview()
{
    return drawn([](QPainter& p) {
        page(p, QRectF(3, 2, 20, 27));
        p.setPen(QPen(QColor(40, 40, 40), 2.5));
        p.setBrush(QColor(200, 230, 255, 180));
        p.drawEllipse(QRectF(12, 11, 12, 12));
        p.drawLine(QPointF(22, 22), QPointF(29, 29));
    });
}

QIcon extensionButton(Qt::Orientation orientation)
{
    // Drawn pointing right; swapping x and y turns it downwards.
    const QTransform turn = orientation == Qt::Vertical ? QTransform(0, 1, 1, 0, 0, 0) : QTransform();
    return drawn([turn](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (qreal x : {8.0, 17.0})
            p.drawPolyline(turn.map(QPolygonF({{x, 9}, {x + 7, 16}, {x, 23}})));
    });
}

} // namespace AppIcons
