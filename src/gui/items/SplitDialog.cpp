// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/SplitDialog.h"

#include "gui/items/NumberEntry.h"

#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

SplitDialog::SplitDialog(const QString& itemName, time_t until, QWidget* parent)
    : QDialog(parent), m_divisorField(new QLineEdit(NumberEntry::text(2.0), this))
{
    setWindowTitle(tr("Item Split"));
    auto* untilDate = new QDateEdit(QDateTime::fromSecsSinceEpoch(until).date(), this);
    untilDate->setReadOnly(true);
    untilDate->setButtonSymbols(QAbstractSpinBox::NoButtons);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Item:"), new QLabel(itemName, this));
    form->addRow(tr("Quotations until"), untilDate);
    form->addRow(tr("divide by"), m_divisorField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SplitDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    m_divisorField->setObjectName(QStringLiteral("divisorField"));
}

void SplitDialog::accept()
{
    const std::optional<double> divisor = NumberEntry::take(this, m_divisorField, kMinDivisor, kMaxDivisor);
    if (!divisor)
        return;
    m_divisor = *divisor;
    QDialog::accept();
}
