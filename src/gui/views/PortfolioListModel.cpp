#include "gui/views/PortfolioListModel.h"

#include "render/ListIcons.h"

PortfolioListModel::PortfolioListModel(QObject* parent) : QAbstractTableModel(parent)
{
    for (int i = 0; i < ListIcons::kTrendIconCount; ++i)
        m_trendIcons.push_back(QPixmap::fromImage(ListIcons::trendIcon(i)));
}

void PortfolioListModel::setRows(std::vector<PortfolioRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int PortfolioListModel::rowOf(CWPapierDoc::ItemId id) const
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
    return parent.isValid() ? 0 : PortfolioRow::kColumnCount;
}

QVariant PortfolioListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const PortfolioRow& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return row.cells[size_t(index.column())];
    case Qt::DecorationRole:
        if (index.column() == 0)
            return m_trendIcons[size_t(row.trendIcon)];
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
    static const char* const kTitles[PortfolioRow::kColumnCount] = {
        "Item", "Last Update", "Value", "Low", "High", "+- Last Day", "+- Last", "+- Total", "Amount Invested"};
    return column >= 0 && column < PortfolioRow::kColumnCount ? QString::fromLatin1(kTitles[column]) : QString();
}
