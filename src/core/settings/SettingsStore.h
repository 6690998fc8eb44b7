#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The per-user settings store: the registry on Windows, an INI file elsewhere.
// TICKORA_SETTINGS names an INI file to use instead (every test sets it).
class SettingsStore {
public:
    static std::unique_ptr<QSettings> open();
    static QString iniOverridePath();

    // Any text (blanks, "/", "\", non-ASCII) as one settings key, and back.
    static QString escapeKey(const std::string& text);
    static std::string unescapeKey(const QString& key);
};
