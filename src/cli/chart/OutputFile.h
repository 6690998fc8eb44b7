// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// The file a drawing command writes: checked before the work and written at once when it is done.
namespace OutputFile {

// A FIFO or device would block or take a cut file: only a regular file (or none yet) is a target.
// Prints the reason and returns false otherwise.
bool acceptsTarget(const QString& out);
// Writes `data` to `out` through the atomic writer, so that it is never cut nor emptied; "" when written,
// else the message.
std::string save(const QString& out, const QByteArray& data);

} // namespace OutputFile
