// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/NoteDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

NoteDialog::NoteDialog(const QString& note, QWidget* parent) : QDialog(parent), m_note(new QPlainTextEdit(note, this))
{
    setWindowTitle(tr("Note"));
    m_note->setMinimumSize(480, 320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_note->setObjectName(QStringLiteral("noteField"));
}

QString NoteDialog::note() const
{
    return m_note->toPlainText();
}
