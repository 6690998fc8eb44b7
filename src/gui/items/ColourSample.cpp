// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ColourSample.h"

#include <QMouseEvent>
#include <QPainter>

ColourSample::ColourSample(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(40, 20);
}

void ColourSample::setColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

void ColourSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, Qt::black);
    painter.fillRect(all.adjusted(1, 1, -1, -1), QColor(130, 130, 130));
    painter.fillRect(all.adjusted(3, 3, -3, -3), m_colour);
}

void ColourSample::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
