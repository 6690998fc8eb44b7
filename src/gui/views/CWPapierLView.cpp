#include "gui/views/CWPapierLView.h"

#include "gui/download/UpdateController.h"
#include "gui/download/UpdateOnDateDialog.h"
#include "gui/items/ItemQuotationDialog.h"
#include "gui/views/PortfolioListModel.h"
#include "gui/views/PortfolioRowBuilder.h"
#include "gui/widgets/MessageDialog.h"

#include "core/base/UrlVariables.h"
#include "core/model/ItemRules.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

CWPapierLView::CWPapierLView(CWPapierDoc& doc, QWidget* parent)
    : CListViewEx(parent), m_doc(doc), m_model(new PortfolioListModel(this))
{
    setModel(m_model);
    m_fillTimer.setSingleShot(true);
    connect(&m_fillTimer, &QTimer::timeout, this, &CWPapierLView::fill);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CWPapierLView::readSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &CWPapierLView::readSelection);
    connect(header(), &QHeaderView::sectionClicked, this, &CWPapierLView::sortByHeader);
    header()->setSortIndicatorShown(true);
    header()->setSectionsClickable(true);
}

void CWPapierLView::initialUpdate()
{
    applyLayout(ListLayout::read());
    fill();
}

void CWPapierLView::applyLayout(const ListLayout& layout)
{
    for (int column = 0; column < PortfolioRow::kColumnCount; ++column)
        header()->resizeSection(column, layout.widths[size_t(column)]);
    for (int position = 0; position < PortfolioRow::kColumnCount; ++position) {
        const int logical = layout.order[size_t(position)];
        header()->moveSection(header()->visualIndex(logical), position);
    }
    m_sortColumn = layout.sortColumn;
    m_sortReverse = layout.sortReverse;
    m_percentual = layout.percentual;
}

ListLayout CWPapierLView::currentLayout() const
{
    ListLayout layout;
    for (int column = 0; column < PortfolioRow::kColumnCount; ++column) {
        layout.widths[size_t(column)] = header()->sectionSize(column);
        layout.order[size_t(column)] = header()->logicalIndex(column);
    }
    layout.sortColumn = m_sortColumn;
    layout.sortReverse = m_sortReverse;
    layout.percentual = m_percentual;
    return layout;
}

void CWPapierLView::saveLayout() const
{
    currentLayout().write();
}

void CWPapierLView::scheduleFill()
{
    if (m_fillTimer.isActive())
        return;
    const qint64 since = m_sinceFill.isValid() ? m_sinceFill.elapsed() : kMinFillIntervalMs;
    m_fillTimer.start(int(std::max<qint64>(0, kMinFillIntervalMs - since)));
}

void CWPapierLView::fill()
{
    m_fillTimer.stop();
    m_filling = true;
    std::vector<int> positions(size_t(m_doc.itemCount()));
    for (int pos = 0; pos < m_doc.itemCount(); ++pos)
        positions[size_t(pos)] = pos;
    sortRows(positions);
    const time_t now = time(nullptr);
    std::vector<PortfolioRow> rows;
    rows.reserve(positions.size());
    for (int pos : positions)
        rows.push_back(buildPortfolioRow(m_doc.item(pos), m_doc.itemId(pos), m_percentual, now));
    m_model->setRows(std::move(rows));
    header()->setSortIndicator(m_sortColumn, m_sortReverse ? Qt::DescendingOrder : Qt::AscendingOrder);
    restoreSelection();
    m_filling = false;
    ++m_fillCount;
    m_sinceFill.start();
    readSelection();
    buildStatusLine();
}

void CWPapierLView::sortRows(std::vector<int>& positions) const
{
    std::stable_sort(positions.begin(), positions.end(), [this](int a, int b) {
        const int order = m_doc.item(a).CompareItems(m_doc.item(b), static_cast<CWPapier::SortKey>(m_sortColumn));
        return m_sortReverse ? order > 0 : order < 0;
    });
}

void CWPapierLView::restoreSelection()
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
            selection.select(m_model->index(row, 0), m_model->index(row, PortfolioRow::kColumnCount - 1));
    }
    if (focusRow < 0 && selection.isEmpty() && m_model->rowCount() > 0) {
        focusRow = 0;
        selection.select(m_model->index(0, 0), m_model->index(0, PortfolioRow::kColumnCount - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (focusRow >= 0) {
        selectionModel()->setCurrentIndex(m_model->index(focusRow, 0), QItemSelectionModel::NoUpdate);
        scrollTo(m_model->index(focusRow, 0));
    } else if (!selection.isEmpty()) {
        scrollTo(selection.first().topLeft());
    }
}

void CWPapierLView::readSelection()
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

std::vector<CWPapierLView::ItemId> CWPapierLView::selectedInListOrder() const
{
    std::vector<ItemId> ids;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (selectionModel()->isRowSelected(row, QModelIndex()))
            ids.push_back(m_model->rows()[size_t(row)].id);
    }
    return ids;
}

std::vector<CWPapierLView::ItemId> CWPapierLView::rowItems() const
{
    std::vector<ItemId> ids;
    for (const PortfolioRow& row : m_model->rows())
        ids.push_back(row.id);
    return ids;
}

void CWPapierLView::buildStatusLine()
{
    m_statusLine = portfolioStatusLine(m_doc, m_percentual);
    emit statusLineChanged(m_statusLine);
}

void CWPapierLView::sortByHeader(int column)
{
    if (column == m_sortColumn) {
        m_sortReverse = !m_sortReverse;
    } else {
        m_sortColumn = column;
        m_sortReverse = false;
    }
    fill();
}

void CWPapierLView::setPercentual(bool percentual)
{
    m_percentual = percentual;
    fill();
}

QColor CWPapierLView::dotColour(const QModelIndex& index) const
{
    return index.data(PortfolioListModel::DotColourRole).value<QColor>();
}

bool CWPapierLView::isSpecialRow(const QModelIndex& index) const
{
    return index.data(PortfolioListModel::SpecialRole).toBool();
}

bool CWPapierLView::hasSelectedOrdinaryItem() const
{
    return std::any_of(m_selected.begin(), m_selected.end(), [this](ItemId id) {
        const int pos = m_doc.positionOf(id);
        return pos >= 0 && !m_doc.item(pos).isInvestedAmountHistory;
    });
}

bool CWPapierLView::focusedIsOrdinary() const
{
    const int pos = m_doc.positionOf(m_focused);
    return pos >= 0 && !m_doc.item(pos).isInvestedAmountHistory;
}

bool CWPapierLView::allRowsSelected() const
{
    return m_model->rowCount() > 0 && int(m_selected.size()) == m_model->rowCount();
}

void CWPapierLView::deleteSelected()
{
    if (MessageDialog::question(this, QStringLiteral("Do you really want to delete the marked items?")) !=
        QMessageBox::Yes)
        return;
    if (m_selected.empty())
        return;
    const std::vector<ItemId> doomed = m_selected;
    focusAfterDelete();
    m_selected.clear();
    m_doc.DeleteItems(doomed);
    fill();
}

void CWPapierLView::focusAfterDelete()
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
}

bool CWPapierLView::copySelected()
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        MessageDialog::warning(this, QStringLiteral("Clipboard could not be opened!"));
        return false;
    }
    const Result<QByteArray> stream = m_doc.CopyItems(m_selected);
    if (!stream) {
        MessageDialog::warning(this, QString::fromStdString(stream.message()));
        return false;
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(CWPapierDoc::kClipboardMimeType), *stream);
    clipboard->setMimeData(data);
    return true;
}

void CWPapierLView::cutSelected()
{
    // Items that did not reach the clipboard are not deleted.
    if (copySelected())
        deleteSelected();
}

bool CWPapierLView::clipboardHasPortfolio()
{
    const QClipboard* clipboard = QApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasFormat(QString::fromLatin1(CWPapierDoc::kClipboardMimeType));
}

void CWPapierLView::paste()
{
    const QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        MessageDialog::warning(this, QStringLiteral("Clipboard could not be opened!"));
        return;
    }
    const QMimeData* data = clipboard->mimeData();
    const QString format = QString::fromLatin1(CWPapierDoc::kClipboardMimeType);
    if (!data || !data->hasFormat(format)) {
        MessageDialog::warning(this, QStringLiteral("Clipboard data could not be read!"));
        return;
    }
    const Result<std::vector<int>> pasted = m_doc.PasteItems(data->data(format), shownNames());
    if (!pasted)
        MessageDialog::warning(this, QString::fromStdString(pasted.message()));
}

std::vector<std::string> CWPapierLView::shownNames() const
{
    std::vector<std::string> names;
    for (const PortfolioRow& row : m_model->rows())
        names.push_back(row.cells[0].toStdString());
    return names;
}

void CWPapierLView::compareAll()
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

void CWPapierLView::updateSelected()
{
    if (m_selected.empty()) {
        MessageDialog::information(this, QStringLiteral("No items!"));
        return;
    }
    if (m_updates)
        m_updates->startUpdate(m_selected, time(nullptr), false);
}

void CWPapierLView::updateSelectedOnDate()
{
    if (m_selected.empty()) {
        MessageDialog::information(this, QStringLiteral("No items selected!"));
        return;
    }
    UpdateOnDateDialog dialog(time(nullptr), this);
    if (dialog.exec() == QDialog::Accepted && m_updates)
        m_updates->startUpdate(m_selected, dialog.referenceTime(), true);
}

void CWPapierLView::manualUpdate()
{
    const int pos = m_doc.positionOf(m_focused);
    if (pos < 0)
        return;
    ItemQuotationDialog dialog(QString::fromStdString(m_doc.item(pos).name), time(nullptr), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int current = m_doc.positionOf(m_focused);
    if (current >= 0)
        m_doc.AddItemQuotation(current, dialog.value(), dialog.quotationTime());
}

void CWPapierLView::testUpdate()
{
    if (m_updates && focusedIsOrdinary())
        m_updates->startTest(m_focused);
}

void CWPapierLView::openWebPage()
{
    if (!focusedIsOrdinary())
        return;
    const CWPapier& item = m_doc.item(m_doc.positionOf(m_focused));
    const ServerConfig config = ItemRules(item);
    const auto dated = UrlVariables::SubstituteDateVariablesNow(config.URL, 0);
    const auto url = UrlVariables::SubstituteItemVariables(dated.text, item.name, item.symbol);
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(url.text)));
}

void CWPapierLView::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey =
        event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey && m_contextMenu) {
        m_contextMenu->popup(viewport()->mapToGlobal(QPoint(5, 5)));
        return;
    }
    CListViewEx::keyPressEvent(event);
}

void CWPapierLView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_contextMenu)
        m_contextMenu->popup(event->globalPos());
}
