// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemQuotationDialog.h"

#include "core/base/NumberInput.h"
#include "core/model/Quotation.h"
#include "gui/items/NumberEntry.h"
#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/MessageDialog.h"

#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

ItemQuotationDialog::ItemQuotationDialog(const QString& itemName, time_t now, QWidget* parent)
    : ItemQuotationDialog(
          itemName, QDateTime(QDateTime::fromSecsSinceEpoch(now).date(), QTime(20, 0)).toSecsSinceEpoch(), 0.0, parent)
{
}

ItemQuotationDialog::ItemQuotationDialog(const QString& itemName, time_t time, double value, QWidget* parent)
    : QDialog(parent), m_date(new QDateEdit(QDateTime::fromSecsSinceEpoch(time).date(), this)),
      m_time(new QTimeEdit(QDateTime::fromSecsSinceEpoch(time).time(), this)),
      m_valueField(new QLineEdit(NumberEntry::text(value), this))
{
    setWindowTitle(tr("Item quotation"));
    m_date->setCalendarPopup(true);
    m_time->setDisplayFormat(QStringLiteral("HH:mm"));
    auto* form = new QFormLayout(this);
    form->addRow(tr("Item:"), new QLabel(itemName, this));
    form->addRow(tr("Quotation on"), m_date);
    form->addRow(tr("at"), m_time);
    form->addRow(tr("Value:"), m_valueField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ItemQuotationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    DialogSizing::fitTitle(this);
    // Tests find the controls by these names.
    m_valueField->setObjectName(QStringLiteral("valueField"));
    m_date->setObjectName(QStringLiteral("dateField"));
    m_time->setObjectName(QStringLiteral("timeField"));
}

time_t ItemQuotationDialog::quotationTime() const
{
    return QDateTime(m_date->date(), m_time->time()).toSecsSinceEpoch();
}

void ItemQuotationDialog::accept()
{
    const Result<double> value = readNumber(m_valueField->text().toStdString(), kMinValue, kMaxValue);
    if (!value) {
        MessageDialog::warning(this, tr(value.message().c_str()));
        return;
    }
    if (!isStorableTime(quotationTime())) {
        MessageDialog::warning(this, tr(kUnstorableTimeText));
        return;
    }
    m_value = *value;
    QDialog::accept();
}
