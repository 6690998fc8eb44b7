// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/ReportListView.h"

#include "gui/views/ListRowDelegate.h"

#include <QHeaderView>
#include <QPainter>

ReportListView::ReportListView(QWidget* parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new ListRowDelegate(this));
    header()->setSectionsMovable(true);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QColor ReportListView::dotColour(const QModelIndex&) const
{
    return QColor(0, 0, 255);
}

bool ReportListView::isSpecialRow(const QModelIndex&) const
{
    return false;
}

void ReportListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    // The tree view repaints the cells only; the highlight also lies right of the last column.
    viewport()->update();
}

void ReportListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The highlight and the grey of a special row reach the right edge of the client area.
    const bool selected = selectionModel() && selectionModel()->isSelected(index);
    QRect full = option.rect;
    full.setLeft(0);
    full.setRight(viewport()->width());
    if (selected)
        painter->fillRect(full, option.palette.brush(QPalette::Highlight));
    else if (isSpecialRow(index))
        painter->fillRect(full, QColor::fromRgb(kSpecialRowBackground));
    else
        painter->fillRect(full, option.palette.brush(QPalette::Base));
    QTreeView::drawRow(painter, option, index);
    if (index.row() == currentIndex().row() && hasFocus()) {
        QPen pen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(full.adjusted(0, 0, -1, -1));
    }
}
