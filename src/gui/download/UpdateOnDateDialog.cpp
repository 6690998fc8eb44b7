// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/download/UpdateOnDateDialog.h"

#include "gui/widgets/DialogSizing.h"

#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QTimeEdit>
#include <QVBoxLayout>

UpdateOnDateDialog::UpdateOnDateDialog(time_t now, QWidget* parent)
    : QDialog(parent), m_date(new QDateEdit(QDateTime::fromSecsSinceEpoch(now - 86400).date(), this)),
      m_time(new QTimeEdit(QTime(20, 0, 0), this))
{
    setWindowTitle(tr("Update items' quotations on date..."));
    m_date->setCalendarPopup(true);
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    auto* form = new QFormLayout;
    form->addRow(tr("Date:"), m_date);
    form->addRow(tr("Time:"), m_time);
    auto* note = new QLabel(tr("This works only with servers whose address uses date and time variables.\n"
                               "Otherwise the latest quotations are downloaded and given the chosen date and time."),
                            this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    DialogSizing::fitTitle(this);
}

time_t UpdateOnDateDialog::referenceTime() const
{
    return QDateTime(m_date->date(), m_time->time()).toSecsSinceEpoch();
}
