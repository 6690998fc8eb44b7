#include "core/settings/SettingsStore.h"

#include <QByteArray>

std::unique_ptr<QSettings> SettingsStore::open()
{
    const QString override = iniOverridePath();
    if (!override.isEmpty())
        return std::make_unique<QSettings>(override, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, SettingsKeys::kOrganisationName,
                                       SettingsKeys::kApplicationName);
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
