// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/PortfolioListModel.h"

#include "render/ListIcons.h"

#include <QCoreApplication>
#include <QGuiApplication>

PortfolioListModel::PortfolioListModel(QObject* parent) : QAbstractTableModel(parent)
{
    const qreal ratio = qApp->devicePixelRatio();
    for (int i = 0; i < ListIcons::kTrendIconCount; ++i) {
        m_trendIcons.push_back(QPixmap::fromImage(ListIcons::trendIcon(i, ratio)));
        m_warnedIcons.push_back(QPixmap::fromImage(ListIcons::withWarningMark(ListIcons::trendIcon(i, ratio))));
    }
}

void PortfolioListModel::setRows(std::vector<PortfolioRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void PortfolioListModel::setRow(int row, PortfolioRow content)
{
    m_rows[size_t(row)] = std::move(content);
    emit dataChanged(index(row, 0), index(row, kItemColumnCount - 1));
}

void PortfolioListModel::moveRow(int from, int to)
{
    if (from == to)
        return;
    // Qt counts the destination before the move; a row moving down lands before row to + 1.
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    PortfolioRow moved = std::move(m_rows[size_t(from)]);
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(moved));
    endMoveRows();
}

int PortfolioListModel::rowOf(PortfolioDocument::ItemId id) const
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].id == id)
            return int(row);
    }
    return -1;
}

int PortfolioListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PortfolioListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kItemColumnCount;
}

QVariant PortfolioListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const PortfolioRow& row = m_rows[size_t(index.row())];
    const bool warned = !row.healthWarning.isEmpty();
    switch (role) {
    case Qt::ToolTipRole:
        if (index.column() == 0 && warned)
            return row.healthWarning + '\n' +
                QCoreApplication::translate("PortfolioList", "Use Repair rule... to find a new rule.");
        return row.cells[size_t(index.column())];
    case Qt::DisplayRole:
        return row.cells[size_t(index.column())];
    case Qt::DecorationRole:
        if (index.column() == 0)
            return (warned ? m_warnedIcons : m_trendIcons)[size_t(row.trendIcon)];
        return {};
    case DotColourRole:
        return row.dotColour;
    case SpecialRole:
        return row.special;
    case ItemIdRole:
        return QVariant::fromValue<qulonglong>(row.id);
    default:
        return {};
    }
}

QVariant PortfolioListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnTitle(section);
    return {};
}

QString PortfolioListModel::columnTitle(int column)
{
    static const char* const kTitles[kItemColumnCount] = {
        QT_TR_NOOP("Item"),    QT_TR_NOOP("Last Update"), QT_TR_NOOP("Value"),
        QT_TR_NOOP("Low"),     QT_TR_NOOP("High"),        QT_TR_NOOP("+- Last Day"),
        QT_TR_NOOP("+- Last"), QT_TR_NOOP("+- Total"),    QT_TR_NOOP("Amount Invested")};
    return column >= 0 && column < kItemColumnCount ? tr(kTitles[column]) : QString();
}
