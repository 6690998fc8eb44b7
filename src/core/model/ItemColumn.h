// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// The nine figures of an item in the order of the portfolio list's columns; the list sorts by them too.
enum class ItemColumn { Name = 0, LastUpdate, Value, Low, High, LastDayChange, LastChange, TotalChange, Invested };

inline constexpr int kItemColumnCount = 9;

// The column's place in a row of cells.
constexpr size_t columnIndex(ItemColumn column)
{
    return static_cast<size_t>(column);
}
