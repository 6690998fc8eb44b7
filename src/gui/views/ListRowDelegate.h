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

    explicit ListRowDelegate(ReportListView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static QFont specialRowFont();

private:
    void paintFirstColumn(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                          bool selected) const;

    ReportListView* m_view;
};
