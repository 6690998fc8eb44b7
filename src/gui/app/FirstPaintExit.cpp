// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/FirstPaintExit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

FirstPaintExit::FirstPaintExit(QWidget* watched) : QObject(watched)
{
    watched->installEventFilter(this);
}

bool FirstPaintExit::isRequested()
{
    return qEnvironmentVariable("TICKORA_EXIT_AFTER_FIRST_PAINT") == QLatin1String("1");
}

bool FirstPaintExit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        // Queued, so the paint this event starts is finished first.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }
    return QObject::eventFilter(watched, event);
}
