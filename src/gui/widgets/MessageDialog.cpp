// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/MessageDialog.h"

#include <QApplication>
#include <QQueue>

#include <cstdio>

namespace {

QQueue<QMessageBox::StandardButton>& answers()
{
    static QQueue<QMessageBox::StandardButton> queue;
    return queue;
}

QStringList& shown()
{
    static QStringList texts;
    return texts;
}

bool (*&unattendedCheck())()
{
    static bool (*check)() = nullptr;
    return check;
}

} // namespace

QMessageBox::StandardButton MessageDialog::information(QWidget* parent, const QString& text)
{
    return show(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageDialog::warning(QWidget* parent, const QString& text)
{
    return show(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageDialog::question(QWidget* parent, const QString& text)
{
    return show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

QMessageBox::StandardButton MessageDialog::questionWithCancel(QWidget* parent, const QString& text)
{
    return show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                QMessageBox::Cancel);
}

void MessageDialog::setNextAnswer(QMessageBox::StandardButton answer)
{
    answers().enqueue(answer);
}

int MessageDialog::pendingAnswers()
{
    return int(answers().size());
}

QStringList MessageDialog::shownTexts()
{
    return shown();
}

void MessageDialog::clearShownTexts()
{
    shown().clear();
}

void MessageDialog::setUnattendedCheck(bool (*check)())
{
    unattendedCheck() = check;
}

QMessageBox::StandardButton MessageDialog::show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton unattendedAnswer)
{
    if (!answers().isEmpty()) {
        shown().append(text);
        return answers().dequeue();
    }
    if (unattendedCheck() && unattendedCheck()()) {
        shown().append(text);
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return unattendedAnswer;
    }
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, parent);
    // Paths, addresses and error texts can be copied from the message.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return QMessageBox::StandardButton(box.exec());
}
