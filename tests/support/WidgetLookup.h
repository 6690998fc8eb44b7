// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The descendant of `parent` of type T whose object name is `name`. A missing one ends the test program
// with the name: every later step of the test would use it.
template <typename T>
T* child(const QObject* parent, const char* name)
{
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no child \"%s\" of the expected type", name);
    return found;
}
