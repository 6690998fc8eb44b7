// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Open and save dialogs that tests can pre-answer: a queued name is returned instead of showing
// the dialog, an empty queued name stands for Cancel. Save dialogs confirm overwriting.
class FileDialog {
public:
    static QString openFileName(QWidget* parent, const QString& caption, const QString& filters);
    // `defaultSuffix` is added when the chosen name has none.
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& initialName,
                                const QString& filters, const QString& defaultSuffix);

    static void setNextFileName(const QString& fileName);
    static bool hasNextFileName();

private:
    static QString run(QWidget* parent, bool save, const QString& caption, const QString& initialName,
                       const QString& filters, const QString& defaultSuffix);
};
