// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/ItemColumn.h"
#include "core/model/PortfolioDocument.h"

#include <QColor>
#include <QString>

#include <array>

// What the list shows for one item: the nine cell texts and the row's pictures.
struct PortfolioRow {
    PortfolioDocument::ItemId id = 0;
    std::array<QString, kItemColumnCount> cells;
    int trendIcon = 0;
    QColor dotColour;
    bool special = false;
    // "Quotation rule failing since ...": the icon carries a warning mark and the first cell this tooltip.
    QString healthWarning;
};
