// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <QString>
#include <QStringList>

// Runs `program` with `arguments` in place of the calling process, which ends with the program's exit code.
// Returns only when the program could not be started, with the system's reason as the message.
Status replaceProcess(const QString& program, const QStringList& arguments);
