// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/MultiplyDialog.h"

#include "core/base/TextCompare.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

MultiplyDialog::MultiplyDialog(const PortfolioDocument& doc, ItemId itself, QWidget* parent)
    : QDialog(parent), m_items(new QListWidget(this))
{
    setWindowTitle(tr("Multiply Item's Quotations"));
    std::vector<std::pair<std::string, ItemId>> others;
    QString ownName;
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        const PortfolioItem& item = doc.item(pos);
        if (doc.itemId(pos) == itself)
            ownName = QString::fromStdString(item.name);
        else if (!item.isInvestedAmountHistory)
            others.emplace_back(item.name, doc.itemId(pos));
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const auto& a, const auto& b) { return compareIgnoringCase(a.first, b.first) < 0; });
    for (const auto& [name, id] : others) {
        auto* entry = new QListWidgetItem(QString::fromStdString(name), m_items);
        entry->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(id));
    }
    m_items->setCurrentRow(0);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Multiply quotations of:"), new QLabel(ownName, this));
    form->addRow(tr("by quotations of item:"), m_items);
    form->addRow(new QLabel(tr("Note: This feature can be used e.g. for converting item quotation currency."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(m_items->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    m_items->setObjectName(QStringLiteral("itemList"));
}

PortfolioDocument::ItemId MultiplyDialog::chosen() const
{
    const QListWidgetItem* entry = m_items->currentItem();
    return entry ? entry->data(Qt::UserRole).toULongLong() : 0;
}
