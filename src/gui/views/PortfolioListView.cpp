// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/PortfolioListView.h"

#include "gui/views/ListRowDelegate.h"
#include "gui/views/PortfolioListModel.h"
#include "gui/views/PortfolioRowBuilder.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <ctime>
#include <numeric>
#include <utility>

PortfolioListView::PortfolioListView(PortfolioDocument& doc, QWidget* parent)
    : ReportListView(parent), m_doc(doc), m_model(new PortfolioListModel(this))
{
    setModel(m_model);
    m_fillTimer.setSingleShot(true);
    connect(&m_fillTimer, &QTimer::timeout, this, &PortfolioListView::applyPendingChanges);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &PortfolioListView::readSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &PortfolioListView::readSelection);
    connect(header(), &QHeaderView::sectionClicked, this, &PortfolioListView::sortByHeader);
    header()->setSortIndicatorShown(true);
    header()->setSectionsClickable(true);
    // A width the user chose stays when the next portfolio opens.
    connect(header(), &QHeaderView::sectionResized, this, [this] {
        if (!m_sizingColumns)
            m_fitWidths = false;
    });
}

void PortfolioListView::initialUpdate()
{
    applyLayout(ListLayout::read(fontMetrics().averageCharWidth()));
    fill();
}

void PortfolioListView::applyLayout(const ListLayout& layout)
{
    m_sizingColumns = true;
    for (int column = 0; column < kItemColumnCount; ++column)
        header()->resizeSection(column, layout.widths[size_t(column)]);
    m_sizingColumns = false;
    m_fitWidths = !layout.widthsStored;
    for (int position = 0; position < kItemColumnCount; ++position) {
        const int logical = layout.order[size_t(position)];
        header()->moveSection(header()->visualIndex(logical), position);
    }
    m_sortColumn = layout.sortColumn;
    m_sortReverse = layout.sortReverse;
    m_percentual = layout.percentual;
}

ListLayout PortfolioListView::currentLayout() const
{
    ListLayout layout;
    for (int column = 0; column < kItemColumnCount; ++column) {
        layout.widths[size_t(column)] = header()->sectionSize(column);
        layout.order[size_t(column)] = header()->logicalIndex(column);
    }
    layout.sortColumn = m_sortColumn;
    layout.sortReverse = m_sortReverse;
    layout.percentual = m_percentual;
    return layout;
}

void PortfolioListView::saveLayout() const
{
    currentLayout().write();
}

void PortfolioListView::portfolioOpened()
{
    if (!m_fitWidths)
        return;
    if (m_rebuildPending || !m_changed.empty())
        applyPendingChanges();
    m_sizingColumns = true;
    fitColumnsToContents();
    m_sizingColumns = false;
}

void PortfolioListView::fitColumnsToContents()
{
    for (int column = 0; column < kItemColumnCount; ++column)
        resizeColumnToContents(column);
}

int PortfolioListView::sizeHintForColumn(int column) const
{
    // Only the texts are measured: a large portfolio opens without a full size hint for every cell.
    const auto* delegate = qobject_cast<const ListRowDelegate*>(itemDelegate());
    if (!delegate)
        return ReportListView::sizeHintForColumn(column);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // Where the fonts' digits are all as wide, texts that differ only in their digits are as wide too: one of
    // each shape is measured, which keeps opening a portfolio of many similar rows fast.
    const bool sameDigitWidths = hasEvenDigits(option.font) && hasEvenDigits(ListRowDelegate::specialRowFont());
    QSet<QString> shapesMeasured;
    int widest = 0;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex index = m_model->index(row, column);
        if (sameDigitWidths && !isNewShape(shapesMeasured, index))
            continue;
        widest = std::max(widest, delegate->fullTextWidth(option, index));
    }
    return widest;
}

bool PortfolioListView::hasEvenDigits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int zero = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) != zero)
            return false;
    return true;
}

bool PortfolioListView::isNewShape(QSet<QString>& shapes, const QModelIndex& index) const
{
    QString shape = index.data(Qt::DisplayRole).toString();
    std::replace_if(
        shape.begin(), shape.end(), [](QChar c) { return c >= u'1' && c <= u'9'; }, QChar(u'0'));
    if (isSpecialRow(index))
        shape.prepend(QChar(u'\n'));
    if (shapes.contains(shape))
        return false;
    shapes.insert(shape);
    return true;
}

void PortfolioListView::documentChanged(ItemId changed)
{
    if (changed == PortfolioDocument::kAllItems)
        m_rebuildPending = true;
    else
        m_changed.insert(changed);
    if (m_fillTimer.isActive())
        return;
    const qint64 since = m_sinceFill.isValid() ? m_sinceFill.elapsed() : kMinFillIntervalMs;
    m_fillTimer.start(int(std::max<qint64>(0, kMinFillIntervalMs - since)));
}

void PortfolioListView::applyPendingChanges()
{
    m_fillTimer.stop();
    const std::set<ItemId> changed = std::exchange(m_changed, {});
    // "Last Update" texts depend on the day: a new day shows on every row.
    if (std::exchange(m_rebuildPending, false) || m_fillDay != QDate::currentDate()) {
        fill();
        return;
    }
    m_filling = true;
    const bool updated = updateRows(changed);
    m_filling = false;
    if (updated)
        finishRefresh();
    else
        fill();
}

void PortfolioListView::fill()
{
    m_fillTimer.stop();
    m_changed.clear();
    m_rebuildPending = false;
    m_filling = true;
    const time_t now = time(nullptr);
    std::vector<PortfolioRow> rows;
    for (int pos : sortedPositions())
        rows.push_back(rowFor(pos, now));
    m_model->setRows(std::move(rows));
    header()->setSortIndicator(m_sortColumn, m_sortReverse ? Qt::DescendingOrder : Qt::AscendingOrder);
    restoreSelection();
    m_filling = false;
    m_fillDay = QDate::currentDate();
    finishRefresh();
}

PortfolioRow PortfolioListView::rowFor(int pos, time_t now) const
{
    const PortfolioItem& item = m_doc.item(pos);
    return buildPortfolioRow(item, m_doc.itemId(pos), m_percentual, now, warningFor(item, now));
}

QString PortfolioListView::warningFor(const PortfolioItem& item, time_t now) const
{
    const auto health = m_health.find(item.name);
    if (health == m_health.end() || item.isInvestedAmountHistory)
        return {};
    return ruleHealthWarning(health->second, now);
}

void PortfolioListView::setRuleHealth(std::map<std::string, RuleHealth> health)
{
    m_health = std::move(health);
    fill();
}

QString PortfolioListView::healthWarning(ItemId id) const
{
    const int pos = m_doc.positionOf(id);
    return pos < 0 ? QString() : warningFor(m_doc.item(pos), time(nullptr));
}

RuleHealth PortfolioListView::ruleHealth(ItemId id) const
{
    const int pos = m_doc.positionOf(id);
    const auto found = pos < 0 ? m_health.end() : m_health.find(m_doc.item(pos).name);
    return found == m_health.end() ? RuleHealth() : found->second;
}

void PortfolioListView::finishRefresh()
{
    ++m_fillCount;
    m_sinceFill.start();
    readSelection();
    buildStatusLine();
}

bool PortfolioListView::updateRows(const std::set<ItemId>& changed)
{
    const time_t now = time(nullptr);
    for (ItemId id : changed) {
        const int pos = m_doc.positionOf(id);
        const int row = m_model->rowOf(id);
        if (pos < 0 || row < 0)
            return false;
        m_model->setRow(row, rowFor(pos, now));
    }
    std::vector<ItemId> order;
    for (int pos : sortedPositions())
        order.push_back(m_doc.itemId(pos));
    return placeRows(order, changed);
}

bool PortfolioListView::placeRows(const std::vector<ItemId>& order, const std::set<ItemId>& changed)
{
    const std::vector<ItemId> current = rowItems();
    if (current == order)
        return true;
    // One changed row out of place: a single move keeps the selection and the scroll position.
    const auto without = [](std::vector<ItemId> ids, ItemId id) {
        std::erase(ids, id);
        return ids;
    };
    for (ItemId id : changed) {
        if (without(current, id) != without(order, id))
            continue;
        const auto from = std::find(current.begin(), current.end(), id) - current.begin();
        const auto to = std::find(order.begin(), order.end(), id) - order.begin();
        m_model->moveRow(int(from), int(to));
        if (id == m_focused)
            scrollTo(m_model->index(int(to), 0));
        return true;
    }
    return false;
}

std::vector<int> PortfolioListView::sortedPositions() const
{
    std::vector<int> positions(size_t(m_doc.itemCount()));
    std::iota(positions.begin(), positions.end(), 0);
    const auto key = static_cast<ItemColumn>(m_sortColumn);
    std::stable_sort(positions.begin(), positions.end(), [this, key](int a, int b) {
        const int order = m_doc.item(a).compareItems(m_doc.item(b), key);
        return m_sortReverse ? order > 0 : order < 0;
    });
    return positions;
}

void PortfolioListView::restoreSelection()
{
    QItemSelection selection;
    int focusRow = -1;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const ItemId id = m_model->rows()[size_t(row)].id;
        const bool selected =
            id == m_focused || std::find(m_selected.begin(), m_selected.end(), id) != m_selected.end();
        if (id == m_focused)
            focusRow = row;
        if (selected)
            selection.select(m_model->index(row, 0), m_model->index(row, kItemColumnCount - 1));
    }
    if (focusRow < 0 && selection.isEmpty() && m_model->rowCount() > 0) {
        focusRow = 0;
        selection.select(m_model->index(0, 0), m_model->index(0, kItemColumnCount - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (focusRow >= 0) {
        selectionModel()->setCurrentIndex(m_model->index(focusRow, 0), QItemSelectionModel::NoUpdate);
        scrollTo(m_model->index(focusRow, 0));
    } else if (!selection.isEmpty()) {
        scrollTo(selection.first().topLeft());
    }
}

void PortfolioListView::readSelection()
{
    if (m_filling)
        return;
    const QModelIndex current = currentIndex();
    const ItemId focused = current.isValid() ? m_model->rows()[size_t(current.row())].id : 0;
    const bool focusedSelected = current.isValid() && selectionModel()->isRowSelected(current.row(), QModelIndex());
    std::vector<ItemId> selected = selectedInListOrder();
    if (focused == m_focused && focusedSelected == m_focusedSelected && selected == m_selected)
        return;
    m_focused = focused;
    m_focusedSelected = focusedSelected;
    m_selected = std::move(selected);
    emit selectionPublished();
}

std::vector<PortfolioListView::ItemId> PortfolioListView::selectedInListOrder() const
{
    std::vector<ItemId> ids;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (selectionModel()->isRowSelected(row, QModelIndex()))
            ids.push_back(m_model->rows()[size_t(row)].id);
    }
    return ids;
}

std::vector<PortfolioListView::ItemId> PortfolioListView::rowItems() const
{
    std::vector<ItemId> ids;
    for (const PortfolioRow& row : m_model->rows())
        ids.push_back(row.id);
    return ids;
}

void PortfolioListView::buildStatusLine()
{
    m_statusLine = portfolioStatusLine(m_doc, m_percentual);
    emit statusLineChanged(m_statusLine);
}

void PortfolioListView::sortByHeader(int column)
{
    if (column == m_sortColumn) {
        m_sortReverse = !m_sortReverse;
    } else {
        m_sortColumn = column;
        m_sortReverse = false;
    }
    fill();
}

void PortfolioListView::setPercentual(bool percentual)
{
    m_percentual = percentual;
    fill();
}

QColor PortfolioListView::dotColour(const QModelIndex& index) const
{
    return index.data(PortfolioListModel::DotColourRole).value<QColor>();
}

bool PortfolioListView::isSpecialRow(const QModelIndex& index) const
{
    return index.data(PortfolioListModel::SpecialRole).toBool();
}

bool PortfolioListView::hasSelectedOrdinaryItem() const
{
    return std::any_of(m_selected.begin(), m_selected.end(), [this](ItemId id) {
        const int pos = m_doc.positionOf(id);
        return pos >= 0 && !m_doc.item(pos).isInvestedAmountHistory;
    });
}

bool PortfolioListView::focusedIsOrdinary() const
{
    const int pos = m_doc.positionOf(m_focused);
    return pos >= 0 && !m_doc.item(pos).isInvestedAmountHistory;
}

bool PortfolioListView::allRowsSelected() const
{
    return m_model->rowCount() > 0 && int(m_selected.size()) == m_model->rowCount();
}

bool PortfolioListView::showsFirstStartHint() const
{
    for (int pos = 0; pos < m_doc.itemCount(); ++pos) {
        if (!m_doc.item(pos).isInvestedAmountHistory)
            return false;
    }
    return true;
}

QString PortfolioListView::firstStartHint()
{
    return tr("Press Ins or choose Item \u203A Insert new item to add your first security.");
}

void PortfolioListView::paintEvent(QPaintEvent* event)
{
    ReportListView::paintEvent(event);
    if (!showsFirstStartHint())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, firstStartHint());
}

void PortfolioListView::releaseSelection()
{
    const int rows = m_model->rowCount();
    const int focusRow = std::max(0, currentIndex().row());
    auto unselected = [this](int row) { return !selectionModel()->isRowSelected(row, QModelIndex()); };
    int target = -1;
    for (int row = focusRow + 1; row < rows && target < 0; ++row) {
        if (unselected(row))
            target = row;
    }
    for (int row = focusRow - 1; row >= 0 && target < 0; --row) {
        if (unselected(row))
            target = row;
    }
    if (target < 0)
        target = 0;
    m_focused = rows > 0 ? m_model->rows()[size_t(target)].id : 0;
    m_selected.clear();
}

void PortfolioListView::selectNewItems(const std::vector<ItemId>& ids)
{
    fill();
    QItemSelection selection;
    QModelIndex focus;
    for (ItemId id : ids) {
        const int row = m_model->rowOf(id);
        if (row < 0)
            continue;
        selection.select(m_model->index(row, 0), m_model->index(row, kItemColumnCount - 1));
        if (!focus.isValid())
            focus = m_model->index(row, 0);
    }
    if (!focus.isValid())
        return;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(focus, QItemSelectionModel::NoUpdate);
    scrollTo(focus);
    setFocus(Qt::OtherFocusReason);
}

std::vector<std::string> PortfolioListView::shownNames() const
{
    std::vector<std::string> names;
    for (const PortfolioRow& row : m_model->rows())
        names.push_back(row.cells[0].toStdString());
    return names;
}

void PortfolioListView::compareAll()
{
    if (m_model->rowCount() < 2)
        return;
    if (!allRowsSelected()) {
        selectAll();
    } else {
        const QModelIndex current = currentIndex().isValid() ? currentIndex() : m_model->index(0, 0);
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }
    readSelection();
}

void PortfolioListView::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey =
        event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        emit contextMenuRequested(viewport()->mapToGlobal(QPoint(5, 5)));
        return;
    }
    ReportListView::keyPressEvent(event);
}

void PortfolioListView::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuRequested(event->globalPos());
}
