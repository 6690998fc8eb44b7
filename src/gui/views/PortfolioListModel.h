// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/views/PortfolioRow.h"

#include <QAbstractTableModel>
#include <QPixmap>

#include <vector>

// The rows of the portfolio list, in the order shown; the view sorts before handing them over.
class PortfolioListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { DotColourRole = Qt::UserRole + 1, SpecialRole, ItemIdRole };

    explicit PortfolioListModel(QObject* parent = nullptr);

    void setRows(std::vector<PortfolioRow> rows);
    // Replaces one row in place (dataChanged), or moves one row to `to` (rowsMoved): views keep
    // their selection and scroll position.
    void setRow(int row, PortfolioRow content);
    void moveRow(int from, int to);
    const std::vector<PortfolioRow>& rows() const { return m_rows; }
    int rowOf(PortfolioDocument::ItemId id) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString columnTitle(int column);

private:
    std::vector<PortfolioRow> m_rows;
    std::vector<QPixmap> m_trendIcons;
    std::vector<QPixmap> m_warnedIcons;
};
