// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartPens.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kScreenDpi = 96.0;
constexpr double kCurveMillimetres = 0.35;
constexpr double kAxisMillimetres = 0.25;
// Thinner and lighter than every curve, so that the curves stand out on paper.
constexpr double kGridMillimetres = 0.15;
const QColor kScreenGrid(100, 100, 100);
const QColor kPaperGrid(175, 175, 175);

} // namespace

ChartPens ChartPens::forDevice(const QPaintDevice* device)
{
    ChartPens pens;
    pens.m_dpi = device ? std::max(device->logicalDpiX(), device->logicalDpiY()) : int(kScreenDpi);
    pens.m_fine = pens.m_dpi > kScreenLimitDpi;
    return pens;
}

double ChartPens::widthOf(double millimetres) const
{
    return m_fine ? millimetres * m_dpi / kMillimetresPerInch : 1.0;
}

QPen ChartPens::axis() const
{
    return QPen(Qt::black, widthOf(kAxisMillimetres));
}

QPen ChartPens::grid() const
{
    return QPen(m_fine ? kPaperGrid : kScreenGrid, widthOf(kGridMillimetres));
}

QPen ChartPens::curve(const QColor& colour) const
{
    if (!m_fine)
        return QPen(colour, 1);
    return QPen(colour, widthOf(kCurveMillimetres), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

int ChartPens::scaled(int screenPixels) const
{
    return m_fine ? int(std::lround(screenPixels * m_dpi / kScreenDpi)) : screenPixels;
}
