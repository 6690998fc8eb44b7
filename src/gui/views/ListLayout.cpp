// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/ListLayout.h"

#include "core/settings/SettingsStore.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr int kColumns = kItemColumnCount;

int pieceAt(const QStringList& pieces, int index, int fallback)
{
    if (index >= pieces.size())
        return fallback;
    return pieces[index].trimmed().toInt();
}

QString joined(const std::array<int, kColumns>& values)
{
    QStringList pieces;
    for (int value : values)
        pieces << QString::number(value);
    return pieces.join(QLatin1Char(','));
}

} // namespace

ListLayout ListLayout::read(int averageCharWidth)
{
    ListLayout layout;
    const QString widths = SettingsStore::value(SettingsKey::ListColumnsWidth).toString();
    layout.widths = parseWidths(widths, averageCharWidth);
    layout.widthsStored = !widths.isEmpty();
    layout.order = parseOrder(SettingsStore::value(SettingsKey::ListColumnsOrder).toString());
    layout.sortColumn = std::clamp(SettingsStore::value(SettingsKey::ListSortColumn).toInt(), 0, kColumns - 1);
    layout.sortReverse = SettingsStore::value(SettingsKey::ListSortReverse).toInt() != 0;
    layout.percentual = SettingsStore::value(SettingsKey::ListPercentual).toInt() != 0;
    return layout;
}

void ListLayout::write() const
{
    // The tenth width is kept for files written by earlier versions; it is not used.
    SettingsStore::setValue(SettingsKey::ListColumnsWidth, widthsText() + QStringLiteral(",0"));
    SettingsStore::setValue(SettingsKey::ListColumnsOrder, orderText());
    SettingsStore::setValue(SettingsKey::ListSortColumn, sortColumn);
    SettingsStore::setValue(SettingsKey::ListSortReverse, sortReverse ? 1 : 0);
    SettingsStore::setValue(SettingsKey::ListPercentual, percentual ? 1 : 0);
}

std::array<int, kItemColumnCount> ListLayout::defaultWidths(int averageCharWidth)
{
    std::array<int, kColumns> widths = kDefaultWidths;
    for (int& width : widths)
        width = std::max(width, width * averageCharWidth / kDefaultsCharWidth);
    return widths;
}

std::array<int, kItemColumnCount> ListLayout::parseWidths(const QString& text, int averageCharWidth)
{
    const QStringList pieces = text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
    const std::array<int, kColumns> defaults = defaultWidths(averageCharWidth);
    std::array<int, kColumns> widths{};
    for (int column = 0; column < kColumns; ++column)
        widths[size_t(column)] = std::max(0, pieceAt(pieces, column, defaults[size_t(column)]));
    return widths;
}

std::array<int, kItemColumnCount> ListLayout::parseOrder(const QString& text)
{
    const QStringList pieces = text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
    std::array<int, kColumns> order{};
    for (int position = 0; position < kColumns; ++position)
        order[size_t(position)] = pieceAt(pieces, position, position);
    std::array<int, kColumns> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int column = 0; column < kColumns; ++column) {
        if (sorted[size_t(column)] != column)
            return ListLayout().order;
    }
    return order;
}

QString ListLayout::widthsText() const
{
    return joined(widths);
}

QString ListLayout::orderText() const
{
    return joined(order);
}
