// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/ComparisonSettingsDialog.h"

#include "gui/widgets/DialogSizing.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

ComparisonSettingsDialog::ComparisonSettingsDialog(const ComparisonSettings& settings, QWidget* parent)
    : QDialog(parent), m_useStart(new QCheckBox(tr("Start"), this)),
      m_start(new QDateEdit(QDate(settings.beginYear, settings.beginMonth, settings.beginDay), this)),
      m_useEnd(new QCheckBox(tr("End"), this)),
      m_end(new QDateEdit(QDate(settings.endYear, settings.endMonth, settings.endDay), this)),
      m_grid(new QCheckBox(tr("Show grid lines"), this))
{
    setWindowTitle(tr("Properties of the comparison chart"));
    m_useStart->setChecked(settings.useBegin);
    m_useEnd->setChecked(settings.useEnd);
    m_grid->setChecked(settings.grid);
    for (QDateEdit* picker : {m_start, m_end})
        picker->setCalendarPopup(true);
    // A picker is enabled only while its box is set.
    m_start->setEnabled(settings.useBegin);
    m_end->setEnabled(settings.useEnd);
    connect(m_useStart, &QCheckBox::toggled, m_start, &QWidget::setEnabled);
    connect(m_useEnd, &QCheckBox::toggled, m_end, &QWidget::setEnabled);

    auto* period = new QGroupBox(tr("Period to show"), this);
    auto* grid = new QGridLayout(period);
    grid->addWidget(m_useStart, 0, 0);
    grid->addWidget(m_start, 0, 1);
    grid->addWidget(m_useEnd, 1, 0);
    grid->addWidget(m_end, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);
    DialogSizing::fitTitle(this);
    // Tests find the controls by these names.
    m_useStart->setObjectName(QStringLiteral("startBox"));
    m_useEnd->setObjectName(QStringLiteral("endBox"));
    m_start->setObjectName(QStringLiteral("startPicker"));
    m_end->setObjectName(QStringLiteral("endPicker"));
    m_grid->setObjectName(QStringLiteral("gridBox"));
}

ComparisonSettings ComparisonSettingsDialog::settings() const
{
    ComparisonSettings settings;
    settings.useBegin = m_useStart->isChecked();
    settings.beginYear = m_start->date().year();
    settings.beginMonth = m_start->date().month();
    settings.beginDay = m_start->date().day();
    settings.useEnd = m_useEnd->isChecked();
    settings.endYear = m_end->date().year();
    settings.endMonth = m_end->date().month();
    settings.endDay = m_end->date().day();
    settings.grid = m_grid->isChecked();
    return settings;
}
