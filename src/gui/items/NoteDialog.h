// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Note": the item's note in a large field.
class NoteDialog : public QDialog {
    Q_OBJECT
public:
    NoteDialog(const QString& note, QWidget* parent = nullptr);

    QString note() const;

private:
    QPlainTextEdit* m_note;
};
