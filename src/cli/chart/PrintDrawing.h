// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// What "tickora-cli print" does, run by the companion program that alone loads Qt Gui.
namespace PrintDrawing {

// `args` are the print command's arguments; returns the command's exit code.
int run(const QStringList& args);

} // namespace PrintDrawing
