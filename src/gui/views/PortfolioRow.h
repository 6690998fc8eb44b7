#pragma once

#include "core/model/CWPapierDoc.h"

#include <QColor>
#include <QString>

#include <array>

// What the list shows for one item: the nine cell texts and the row's pictures.
struct PortfolioRow {
    static constexpr int kColumnCount = 9;

    CWPapierDoc::ItemId id = 0;
    std::array<QString, kColumnCount> cells;
    int trendIcon = 0;
    QColor dotColour;
    bool special = false;
    bool updating = false;
};
