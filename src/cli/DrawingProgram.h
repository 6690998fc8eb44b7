// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The commands that draw (chart, print) load Qt Gui, which would slow the start of every other command;
// the companion program draws in this process's place, so its output and exit code are the command's.
namespace DrawingProgram {

// Runs the companion with `command` and its arguments; returns only when it could not be started.
int run(const char* command, const QStringList& args);

} // namespace DrawingProgram
