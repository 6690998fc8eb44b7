#pragma once

#include "core/model/ItemColumn.h"

#include <QString>

#include <array>

// The list's stored layout, section "ListView".
struct ListLayout {
    static constexpr std::array<int, kItemColumnCount> kDefaultWidths = {200, 112, 63, 63, 70, 95, 95, 116, 107};

    std::array<int, kItemColumnCount> widths = kDefaultWidths;
    // The column shown at each position, left to right.
    std::array<int, kItemColumnCount> order = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    int sortColumn = 0;
    bool sortReverse = false;
    bool percentual = true;

    static ListLayout read();
    void write() const;

    // A missing piece takes the column's default, a piece that is not a number reads as 0.
    static std::array<int, kItemColumnCount> parseWidths(const QString& text);
    // An order that is not a permutation of 0 to 8 is replaced by the natural order.
    static std::array<int, kItemColumnCount> parseOrder(const QString& text);
    QString widthsText() const;
    QString orderText() const;
};
