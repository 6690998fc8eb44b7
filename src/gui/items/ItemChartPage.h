// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <QWidget>

class ColourSample;
class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QPushButton;

// "Graphic": the item's chart period, the values on the axes and at the points, colour and grid.
class ItemChartPage : public QWidget {
    Q_OBJECT
public:
    explicit ItemChartPage(const PortfolioItem& item, QWidget* parent = nullptr);

    // Writes the chart fields into `item`; `chartOptionsSet` is always 1 once the page was shown.
    void store(PortfolioItem& item) const;

    // Opens the colour chooser with the current colour preselected.
    void chooseColour();
    // 0x00BBGGRR, as the item stores it.
    uint32_t chartColour() const { return m_chartColour; }

private:
    QDateEdit* makePicker(time_t time);
    static time_t withDate(time_t original, const QDate& date);

    PortfolioItem m_item;
    uint32_t m_chartColour;
    QCheckBox* m_useStart;
    QCheckBox* m_useEnd;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QButtonGroup* m_axis;
    QButtonGroup* m_graph;
    QPushButton* m_colourButton;
    ColourSample* m_sample;
    QCheckBox* m_grid;
};
