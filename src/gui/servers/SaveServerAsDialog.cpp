// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/SaveServerAsDialog.h"

#include "core/servers/ServerStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SaveServerAsDialog::SaveServerAsDialog(QWidget* parent) : QDialog(parent), m_names(new QComboBox(this))
{
    setWindowTitle(tr("Server configuration"));
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    m_names->setMinimumWidth(280);
    for (const std::string& name : ServerStore::listServerNames())
        m_names->addItem(QString::fromStdString(name));
    // A name picked by default would overwrite that server with one press of Enter.
    m_names->setCurrentIndex(-1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Save as:"), this));
    layout->addWidget(m_names);
    layout->addWidget(buttons);
    m_names->setObjectName(QStringLiteral("nameList"));
}

QString SaveServerAsDialog::chosenName() const
{
    return m_names->currentText();
}
