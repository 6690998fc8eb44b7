// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ColumnOutline.h"

#include <algorithm>

void ColumnOutline::start(qsizetype expectedPoints)
{
    m_outline.clear();
    m_outline.reserve(std::min<qsizetype>(expectedPoints, 4 * 4096));
    m_open = false;
}

void ColumnOutline::add(const QPoint& point)
{
    if (m_open && point.x() == m_first.x()) {
        ++m_order;
        if (point.y() < m_low.y()) {
            m_low = point;
            m_lowOrder = m_order;
        }
        if (point.y() > m_high.y()) {
            m_high = point;
            m_highOrder = m_order;
        }
        m_last = point;
        return;
    }
    closeColumn();
    m_open = true;
    m_first = m_low = m_high = m_last = point;
    m_order = m_lowOrder = m_highOrder = 0;
}

const QPolygon& ColumnOutline::finish()
{
    closeColumn();
    m_open = false;
    return m_outline;
}

void ColumnOutline::closeColumn()
{
    if (!m_open)
        return;
    const bool lowFirst = m_lowOrder <= m_highOrder;
    append(m_first);
    append(lowFirst ? m_low : m_high);
    append(lowFirst ? m_high : m_low);
    append(m_last);
}

void ColumnOutline::append(const QPoint& point)
{
    if (m_outline.isEmpty() || m_outline.constLast() != point)
        m_outline.append(point);
}
