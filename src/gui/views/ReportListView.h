// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QTreeView>

// A report-style list that draws its rows itself: full-row highlight up to the right edge,
// texts shortened with "...", a coloured dot after the first column's text and bold rows on grey
// for special rows. It knows nothing of items; derived views answer the two row questions.
class ReportListView : public QTreeView {
    Q_OBJECT
public:
    static constexpr QRgb kSpecialRowBackground = 0xFFDCDCDC;

    explicit ReportListView(QWidget* parent = nullptr);

    virtual QColor dotColour(const QModelIndex& index) const;
    virtual bool isSpecialRow(const QModelIndex& index) const;

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
