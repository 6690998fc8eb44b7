// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemQuotationsPage.h"

#include "core/base/LocaleFormat.h"
#include "gui/items/ItemQuotationDialog.h"
#include "gui/items/MultiplyDialog.h"
#include "gui/items/SplitDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kTimeRole = Qt::UserRole;

} // namespace

ItemQuotationsPage::ItemQuotationsPage(PortfolioDocument& doc, ItemId id, int firstSelect, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_id(id), m_firstSelect(firstSelect), m_list(new QListWidget(this))
{
    const char* texts[] = {QT_TR_NOOP("&Insert"),     QT_TR_NOOP("&Edit"),  QT_TR_NOOP("&Delete"),
                           QT_TR_NOOP("Delete &All"), QT_TR_NOOP("&Split"), QT_TR_NOOP("&1/X"),
                           QT_TR_NOOP("M&ultiply...")};
    void (ItemQuotationsPage::*actions[])() = {
        &ItemQuotationsPage::insertQuotation,   &ItemQuotationsPage::editQuotation,
        &ItemQuotationsPage::deleteQuotation,   &ItemQuotationsPage::deleteAllQuotations,
        &ItemQuotationsPage::splitQuotations,   &ItemQuotationsPage::invertQuotations,
        &ItemQuotationsPage::multiplyQuotations};
    const char* const names[] = {"insertButton", "editButton",   "deleteButton",  "deleteAllButton",
                                 "splitButton",  "invertButton", "multiplyButton"};
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 8, 1);
    for (int i = 0; i < 7; ++i) {
        m_buttons[i] = new QPushButton(tr(texts[i]), this);
        m_buttons[i]->setAutoDefault(false);
        m_buttons[i]->setObjectName(QLatin1String(names[i]));
        connect(m_buttons[i], &QPushButton::clicked, this, actions[i]);
        layout->addWidget(m_buttons[i], i, 1);
    }
    layout->setRowStretch(7, 1);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::currentRowChanged, this, &ItemQuotationsPage::enableButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ItemQuotationsPage::editQuotation);
    // Downloads may add quotations while the page is open.
    m_listener = m_doc.addChangeListener([this](ItemId) {
        const int pos = position();
        if (!m_changing && pos >= 0 && size_t(m_list->count()) != m_doc.item(pos).quotations.size())
            fillList();
    });
    fillList();
    m_list->setObjectName(QStringLiteral("quotationList"));
}

ItemQuotationsPage::~ItemQuotationsPage()
{
    m_doc.removeChangeListener(m_listener);
}

QString ItemQuotationsPage::rowText(const Quotation& record, int blanks)
{
    return QString::fromStdString(LocaleFormat::localTime(record.time, "%c")) + QString(blanks, QLatin1Char(' ')) +
        QString::fromStdString(LocaleFormat::number("%3.4lf", record.value));
}

int ItemQuotationsPage::position() const
{
    return m_doc.positionOf(m_id);
}

int ItemQuotationsPage::historyIndex(int row) const
{
    const int pos = position();
    if (pos < 0 || row < 0 || row >= m_list->count())
        return -1;
    const std::vector<Quotation>& history = m_doc.item(pos).quotations;
    const time_t time = m_list->item(row)->data(kTimeRole).toLongLong();
    const auto found = std::lower_bound(history.begin(), history.end(), time,
                                        [](const Quotation& record, time_t t) { return record.time < t; });
    return found != history.end() && found->time == time ? int(found - history.begin()) : -1;
}

void ItemQuotationsPage::insertRow(int row, const Quotation& record, int blanks)
{
    auto* entry = new QListWidgetItem(rowText(record, blanks));
    entry->setData(kTimeRole, qlonglong(record.time));
    m_list->insertItem(row, entry);
}

void ItemQuotationsPage::fillList()
{
    m_list->clear();
    const int pos = position();
    if (pos < 0)
        return;
    const PortfolioItem& item = m_doc.item(pos);
    m_name = QString::fromStdString(item.name);
    const int count = int(item.quotations.size());
    for (int i = 0; i < count; ++i)
        insertRow(i, item.quotations[size_t(count - 1 - i)], 4);
    const int selected = m_firstSelect >= 0 && m_firstSelect < count ? count - 1 - m_firstSelect : 0;
    m_list->setCurrentRow(count > 0 ? selected : -1);
    enableButtons();
}

void ItemQuotationsPage::rewriteRows(int fromRow, int blanks)
{
    const int pos = position();
    const std::vector<Quotation>& history = m_doc.item(pos).quotations;
    const int count = std::min(m_list->count(), int(history.size()));
    for (int row = std::max(0, fromRow); row < count; ++row) {
        const Quotation& record = history[size_t(count - 1 - row)];
        m_list->item(row)->setText(rowText(record, blanks));
        m_list->item(row)->setData(kTimeRole, qlonglong(record.time));
    }
}

void ItemQuotationsPage::enableButtons()
{
    const bool caret = m_list->currentRow() >= 0;
    m_buttons[EditButton]->setEnabled(caret);
    m_buttons[DeleteButton]->setEnabled(caret);
    m_buttons[SplitButton]->setEnabled(caret);
    m_buttons[DeleteAllButton]->setEnabled(m_list->count() > 0);
}

void ItemQuotationsPage::insertQuotation()
{
    ItemQuotationDialog dialog(m_name, time(nullptr), 0.0, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int pos = position();
    if (pos < 0)
        return;
    QScopedValueRollback<bool> changing(m_changing, true);
    const size_t before = m_doc.item(pos).quotations.size();
    const int k = m_doc.addItemQuotation(pos, dialog.value(), dialog.quotationTime());
    const std::vector<Quotation>& history = m_doc.item(pos).quotations;
    if (history.size() != before + 1 || size_t(m_list->count()) != before) {
        // The time of an existing record: its value changed, no row is added.
        fillList();
        m_list->setCurrentRow(int(history.size()) - 1 - k);
        return;
    }
    const int row = int(before) - k;
    insertRow(row, history[size_t(k)], 3);
    if (m_list->currentRow() < 0)
        m_list->setCurrentRow(row);
    enableButtons();
}

void ItemQuotationsPage::editQuotation()
{
    const int row = m_list->currentRow();
    const int k = historyIndex(row);
    if (k < 0)
        return;
    const int pos = position();
    const Quotation record = m_doc.item(pos).quotations[size_t(k)];
    ItemQuotationDialog dialog(m_name, record.time, record.value, this);
    if (dialog.exec() != QDialog::Accepted || position() != pos || historyIndex(row) != k)
        return;
    QScopedValueRollback<bool> changing(m_changing, true);
    const size_t count = m_doc.item(pos).quotations.size();
    const int moved = m_doc.replaceQuotation(pos, k, dialog.value(), dialog.quotationTime());
    const std::vector<Quotation>& history = m_doc.item(pos).quotations;
    if (history.size() != count) {
        // The new time met another record, which took the value.
        fillList();
        m_list->setCurrentRow(int(history.size()) - 1 - moved);
        return;
    }
    delete m_list->takeItem(row);
    const int newRow = int(count) - 1 - moved;
    auto* entry = new QListWidgetItem(rowText(history[size_t(moved)], 4));
    entry->setData(kTimeRole, qlonglong(history[size_t(moved)].time));
    m_list->insertItem(newRow, entry);
    m_list->setCurrentRow(newRow);
}

void ItemQuotationsPage::deleteQuotation()
{
    const int row = m_list->currentRow();
    const int k = historyIndex(row);
    if (k < 0)
        return;
    QScopedValueRollback<bool> changing(m_changing, true);
    if (!m_doc.deleteQuotation(position(), k))
        return;
    delete m_list->takeItem(row);
    m_list->setCurrentRow(row < m_list->count() ? row : -1);
    enableButtons();
}

void ItemQuotationsPage::deleteAllQuotations()
{
    if (MessageDialog::question(this, tr("Do you really want to delete all items?")) != QMessageBox::Yes)
        return;
    const int pos = position();
    if (m_list->count() == 0 || pos < 0)
        return;
    QScopedValueRollback<bool> changing(m_changing, true);
    m_doc.deleteAllQuotations(pos);
    m_list->clear();
    enableButtons();
}

void ItemQuotationsPage::splitQuotations()
{
    const int row = m_list->currentRow();
    const int k = historyIndex(row);
    if (k < 0)
        return;
    const int pos = position();
    SplitDialog dialog(m_name, m_doc.item(pos).quotations[size_t(k)].time, this);
    if (dialog.exec() != QDialog::Accepted || position() != pos || historyIndex(row) != k)
        return;
    QScopedValueRollback<bool> changing(m_changing, true);
    if (!m_doc.splitQuotations(pos, k, dialog.divisor())) {
        MessageDialog::information(this, tr("Wrong parameter"));
        return;
    }
    rewriteRows(row, 3);
    m_list->setCurrentRow(row);
    emit splitApplied();
}

void ItemQuotationsPage::invertQuotations()
{
    const int pos = position();
    if (pos < 0 || m_doc.item(pos).quotations.empty())
        return;
    QScopedValueRollback<bool> changing(m_changing, true);
    m_doc.invertQuotations(pos);
    const int row = m_list->currentRow();
    rewriteRows(0, 3);
    m_list->setCurrentRow(row);
}

void ItemQuotationsPage::multiplyQuotations()
{
    MultiplyDialog dialog(m_doc, m_id, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int pos = position();
    const int other = m_doc.positionOf(dialog.chosen());
    if (pos < 0 || other < 0)
        return;
    QScopedValueRollback<bool> changing(m_changing, true);
    m_doc.multiplyQuotations(pos, other);
    fillList();
}

bool ItemQuotationsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Insert) {
            key == Qt::Key_Delete ? deleteQuotation() : insertQuotation();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
