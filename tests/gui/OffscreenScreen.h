// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

// Gives the offscreen platform one screen of `width` x `height` pixels; call before the application exists.
// The offscreen platform reads its screens from a file, kept in the system's temporary folder.
inline void useOffscreenScreen(int width, int height)
{
    const QString path = QDir::temp().filePath(QStringLiteral("tickora-screen-%1x%2.json").arg(width).arg(height));
    QFile config(path);
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,
        "logicalDpi": 96, "logicalBaseDpi": 96}]})")
                     .arg(width)
                     .arg(height)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
}
