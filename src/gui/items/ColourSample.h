// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// The chart colour's sample: a 1-pixel black frame, a 2-pixel grey ring, the colour inside. A click
// asks for another colour.
class ColourSample : public QWidget {
    Q_OBJECT
public:
    explicit ColourSample(QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor m_colour;
};
