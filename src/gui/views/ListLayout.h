// SPDX-License-Identifier: GPL-3.0-or-later
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
    // False while the settings hold no widths: the columns then follow their texts.
    bool widthsStored = false;

    // Widths missing from the settings are the defaults scaled to the list's font.
    static ListLayout read(int averageCharWidth = kDefaultsCharWidth);
    void write() const;

    // The defaults were made for a font whose characters are 6 pixels wide on average; a wider font
    // widens them by its average width / 6, a narrower one keeps them.
    static constexpr int kDefaultsCharWidth = 6;
    static std::array<int, kItemColumnCount> defaultWidths(int averageCharWidth);

    // A missing piece takes the column's default, a piece that is not a number reads as 0.
    static std::array<int, kItemColumnCount> parseWidths(const QString& text,
                                                         int averageCharWidth = kDefaultsCharWidth);
    // An order that is not a permutation of 0 to 8 is replaced by the natural order.
    static std::array<int, kItemColumnCount> parseOrder(const QString& text);
    QString widthsText() const;
    QString orderText() const;
};
