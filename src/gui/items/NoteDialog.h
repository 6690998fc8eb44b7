#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Note": the item's note in a large field.
class NoteDialog : public QDialog {
    Q_OBJECT
public:
    NoteDialog(const QString& note, QWidget* parent = nullptr);

    QString note() const;
    QPlainTextEdit* noteField() const { return m_note; }

private:
    QPlainTextEdit* m_note;
};
