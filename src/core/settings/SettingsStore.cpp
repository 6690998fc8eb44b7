// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsStore.h"

#include "core/base/PrivateFile.h"

#include <QByteArray>
#include <QSet>

#include <mutex>

std::unique_ptr<QSettings> SettingsStore::open()
{
    const QString override = iniOverridePath();
    auto settings = override.isEmpty()
        ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, SettingsKeys::kOrganisationName,
                                      SettingsKeys::kApplicationName)
        : std::make_unique<QSettings>(override, QSettings::IniFormat);
    // Checked once per file and process: the store is opened for almost every value.
    static std::mutex checking;
    static QSet<QString> checked;
    const std::lock_guard lock(checking);
    if (!checked.contains(settings->fileName())) {
        PrivateFile::ensure(settings->fileName());
        checked.insert(settings->fileName());
    }
    return settings;
}

QString SettingsStore::iniOverridePath()
{
    return qEnvironmentVariable("TICKORA_SETTINGS");
}

QVariant SettingsStore::value(SettingsKey key)
{
    const SettingsKeys::Entry& entry = SettingsKeys::entry(key);
    QVariant value = open()->value(QString::fromLatin1(entry.path), entry.fallback);
    value.convert(QMetaType(entry.type));
    return value;
}

void SettingsStore::setValue(SettingsKey key, const QVariant& value)
{
    open()->setValue(SettingsKeys::path(key), value);
}

QString SettingsStore::escapeKey(const std::string& text)
{
    // Key separators and the escape character itself are encoded; so is everything outside printable ASCII.
    static const QByteArray kept = " !\"#$&'()*+,-.:;<=>?@[]^_`{|}~";
    const QByteArray utf8(text.data(), static_cast<qsizetype>(text.size()));
    return QString::fromLatin1(utf8.toPercentEncoding(kept));
}

std::string SettingsStore::unescapeKey(const QString& key)
{
    return QByteArray::fromPercentEncoding(key.toLatin1()).toStdString();
}
