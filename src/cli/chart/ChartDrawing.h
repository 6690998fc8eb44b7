// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// What "tickora-cli chart" does, run by the companion program that alone loads Qt Gui and Qt Svg.
namespace ChartDrawing {

// `args` are the chart command's arguments; returns the command's exit code.
int run(const QStringList& args);

} // namespace ChartDrawing
