// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/SettingsKeys.h"

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

// The per-user settings store: the registry on Windows, an INI file elsewhere.
// TICKORA_SETTINGS names an INI file to use instead (every test sets it).
class SettingsStore {
public:
    static std::unique_ptr<QSettings> open();
    static QString iniOverridePath();

    // A key of the table in SettingsKeys, read as its type; missing, it reads as the table's default.
    static QVariant value(SettingsKey key);
    static void setValue(SettingsKey key, const QVariant& value);

    // Any text (blanks, "/", "\", non-ASCII) as one settings key, and back.
    static QString escapeKey(const std::string& text);
    static std::string unescapeKey(const QString& key);
};
