// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ListIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace ListIcons {
namespace {

constexpr int kSmall = 16;

// `size` logical pixels square; a painter draws on it in logical pixels, sharp at the device's ratio.
QImage blank(int size, qreal ratio = 1.0)
{
    const int pixels = qRound(size * ratio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

void drawArrow(QPainter& painter, bool up, const QColor& colour)
{
    const QPolygonF arrow = up ? QPolygonF({{8, 2}, {14, 9}, {10.5, 9}, {10.5, 14}, {5.5, 14}, {5.5, 9}, {2, 9}})
                               : QPolygonF({{8, 14}, {14, 7}, {10.5, 7}, {10.5, 2}, {5.5, 2}, {5.5, 7}, {2, 7}});
    painter.setPen(QPen(colour.darker(150), 1));
    painter.setBrush(colour);
    painter.drawPolygon(arrow);
}

void drawLevel(QPainter& painter)
{
    painter.setPen(QPen(QColor(70, 70, 150), 1));
    painter.setBrush(QColor(120, 140, 230));
    painter.drawRect(QRectF(2.5, 6.5, 11, 4));
}

// A small red bell in the top-left corner marks an item in alarm.
void drawAlarmMark(QPainter& painter)
{
    QPainterPath bell;
    bell.moveTo(0.5, 7);
    bell.cubicTo(1, 1, 6, 1, 6.5, 7);
    bell.closeSubpath();
    painter.setPen(QPen(QColor(120, 0, 0), 1));
    painter.setBrush(QColor(230, 30, 30));
    painter.drawPath(bell);
    painter.drawEllipse(QPointF(3.5, 7.5), 1, 1);
}

} // namespace

QImage trendIcon(int index, qreal ratio)
{
    QImage image = blank(kSmall, ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (index % 3) {
    case 1:
        drawArrow(painter, false, QColor(220, 40, 40));
        break;
    case 2:
        drawArrow(painter, true, QColor(30, 170, 60));
        break;
    default:
        drawLevel(painter);
        break;
    }
    if (index >= 3)
        drawAlarmMark(painter);
    return image;
}

QImage withWarningMark(QImage icon)
{
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(110, 80, 0), 1));
    painter.setBrush(QColor(255, 200, 0));
    painter.drawPolygon(QPolygonF({{11.5, 8.5}, {15.5, 15.5}, {7.5, 15.5}}));
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawLine(QPointF(11.5, 10.8), QPointF(11.5, 13.2));
    painter.drawPoint(QPointF(11.5, 14.6));
    return icon;
}

QImage downloadStateIcon(int index, qreal ratio)
{
    QImage image = blank(kSmall, ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(2.5, 2.5, 11, 11);
    switch (index) {
    case 0:
        painter.setPen(QPen(Qt::gray, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(disc);
        break;
    case 1:
        painter.setPen(QPen(QColor(200, 150, 0), 1));
        painter.setBrush(QColor(255, 210, 60));
        painter.drawEllipse(disc);
        break;
    case 2:
        painter.setPen(QPen(QColor(0, 120, 0), 1));
        painter.setBrush(QColor(80, 200, 80));
        painter.drawEllipse(disc);
        break;
    case 3:
        drawArrow(painter, false, QColor(40, 110, 220));
        break;
    default:
        painter.setPen(QPen(QColor(200, 0, 0), 2.5));
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    }
    return image;
}

QImage applicationIcon(int size)
{
    QImage image = blank(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 64, 120));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
    for (int y = 16; y < 60; y += 12)
        painter.drawLine(8, y, 56, y);
    painter.setPen(QPen(QColor(250, 190, 40), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({{10, 48}, {22, 36}, {32, 42}, {44, 22}, {54, 14}}));
    return image;
}

QImage abortIcon(int size)
{
    QImage image = applicationIcon(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(QColor(210, 20, 20));
    painter.drawEllipse(QRectF(30, 30, 32, 32));
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(39, 39), QPointF(53, 53));
    painter.drawLine(QPointF(53, 39), QPointF(39, 53));
    return image;
}

} // namespace ListIcons
