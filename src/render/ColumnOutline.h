// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPolygon>

// Collects a curve point by point. The points that share a pixel column collapse to the first, the
// lowest, the highest and the last of them: the vertical lines between them cover the same pixels, so a
// polyline through the rest draws what the full one draws, whatever the number of points per column.
// Its buffer serves curve after curve.
class ColumnOutline {
public:
    void start(qsizetype expectedPoints);
    void add(const QPoint& point);
    const QPolygon& finish();

private:
    void closeColumn();
    void append(const QPoint& point);

    QPolygon m_outline;
    bool m_open = false;
    QPoint m_first;
    QPoint m_low;
    QPoint m_high;
    QPoint m_last;
    int m_order = 0;
    int m_lowOrder = 0;
    int m_highOrder = 0;
};
