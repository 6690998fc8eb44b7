// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class ReportListView;

// Draws one cell of a ReportListView row, asking the view for the dot colour and the special state.
class ListRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kFirstColumnMargin = 4;
    static constexpr int kOtherColumnMargin = 6;
    // The first cell's icon with its gaps on the left and the coloured dot on the right.
    static constexpr int kFirstColumnPictures = 33;

    explicit ListRowDelegate(ReportListView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Only a cell whose text is cut shows it as a tooltip; the first cell's rule warning always shows.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The narrowest cell that shows the whole text of `index`.
    int fullTextWidth(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    static QFont specialRowFont();

private:
    void paintFirstColumn(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                          bool selected) const;

    ReportListView* m_view;
};
