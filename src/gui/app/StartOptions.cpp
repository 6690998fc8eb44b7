// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/StartOptions.h"

#include <QtGlobal>

StartOptions StartOptions::parse(const QStringList& arguments)
{
    StartOptions options;
    for (const QString& argument : arguments) {
        const bool isSwitch = argument.startsWith(QLatin1Char('/')) || argument.startsWith(QLatin1Char('-'));
        // A path such as /home/me/depot.tkr starts with "/" too; only the exact switch counts as one.
        if (isSwitch && argument.mid(1) == QLatin1String("u"))
            options.unattended = true;
        else if (!argument.startsWith(QLatin1Char('-')) && !(isSwitch && argument.size() <= 2))
            options.file = argument;
    }
    return options;
}

bool StartOptions::hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}
