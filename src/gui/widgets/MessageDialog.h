// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Every message box of the program goes through here. Tests queue answers with setNextAnswer
// and read what would have been shown; in unattended mode (the application object says when)
// nothing is shown, messages go to stderr and questions take their safe answer.
class MessageDialog {
public:
    static QMessageBox::StandardButton information(QWidget* parent, const QString& text);
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& text);
    // Yes or No.
    static QMessageBox::StandardButton question(QWidget* parent, const QString& text);
    // Yes, No or Cancel.
    static QMessageBox::StandardButton questionWithCancel(QWidget* parent, const QString& text);

    static void setNextAnswer(QMessageBox::StandardButton answer);
    static int pendingAnswers();
    // The texts of the boxes answered from the queue or suppressed in unattended mode.
    static QStringList shownTexts();
    static void clearShownTexts();

    // How to ask the application whether it runs unattended; without one, it does not.
    static void setUnattendedCheck(bool (*check)());

private:
    static QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton unattendedAnswer);
};
