// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPen>

class QPaintDevice;

// The pens of the chart on its device. On screen every line is one pixel wide; on a finer device (paper,
// a PDF page) one pixel is a speck, so widths are set in millimetres there.
class ChartPens {
public:
    // Devices of more than this many dots per inch draw with widths in millimetres.
    static constexpr int kScreenLimitDpi = 150;

    static ChartPens forDevice(const QPaintDevice* device);

    QPen axis() const;
    QPen grid() const;
    QPen curve(const QColor& colour) const;
    // A length drawn as `screenPixels` on screen (a tick, a mark, a gap), in the device's pixels.
    int scaled(int screenPixels) const;
    bool fine() const { return m_fine; }

private:
    bool m_fine = false;
    int m_dpi = 96;
    double widthOf(double millimetres) const;
};
