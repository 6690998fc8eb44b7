// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for: a portfolio file and the unattended switch "/u" or "-u".
struct StartOptions {
    QString file;
    bool unattended = false;

    // `arguments` without the program name; the last plain parameter is the file.
    static StartOptions parse(const QStringList& arguments);
    static bool hasDisplay();
};
