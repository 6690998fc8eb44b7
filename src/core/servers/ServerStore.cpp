// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerStore.h"
#include "core/base/TextCompare.h"

#include "core/settings/SettingsStore.h"

#include <QSettings>
#include <algorithm>
#include <string_view>

namespace {

// Request lines are stored joined by a line feed.
const char* const kHeaders = SettingsKeys::kServerHeaders;
// Also beside them, only when set.
const char* const kFallback = SettingsKeys::kServerFallback;
const char* const kCrossCheck = SettingsKeys::kServerCrossCheck;
const char* const kCrossCheckPercent = SettingsKeys::kServerCrossCheckPercent;

QString serverGroup(const std::string& name)
{
    return SettingsKeys::serverSection() + '/' + SettingsStore::escapeKey(name);
}

// What an absent text value reads as.
const char* missingText(const ServerConfig::Field& f)
{
    return std::string_view(f.key) == "DECIMAL" ? "," : "";
}

void readField(const QSettings& settings, const ServerConfig::Field& f, ServerConfig& config)
{
    const QVariant value = settings.value(f.key);
    if (f.text) {
        config.*f.text = value.isValid() ? value.toString().toStdString() : std::string(missingText(f));
        return;
    }
    bool ok = false;
    const int number = value.toInt(&ok);
    if (ok)
        config.*f.number = number;
}

void writeField(QSettings& settings, const ServerConfig::Field& f, const ServerConfig& config)
{
    if (f.text)
        settings.setValue(f.key, QString::fromStdString(config.*f.text));
    else
        settings.setValue(f.key, config.*f.number);
}

void setOrRemove(QSettings& settings, const char* key, const QVariant& value)
{
    if (value.isValid())
        settings.setValue(key, value);
    else
        settings.remove(key);
}

void resetToReadDefaults(ServerConfig& config)
{
    const std::string thousands = config.TAUSEND;
    const std::string decimal = config.DECIMAL;
    const std::string name = config.name;
    config = ServerConfig();
    config.name = name;
    config.TAUSEND = thousands;
    config.DECIMAL = decimal;
}

} // namespace

namespace ServerStore {

std::vector<std::string> listServerNames()
{
    auto settings = SettingsStore::open();
    settings->beginGroup(SettingsKeys::serverSection());
    std::vector<std::string> names;
    for (const QString& key : settings->childGroups())
        names.push_back(SettingsStore::unescapeKey(key));
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int folded = compareIgnoringCase(a, b);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

bool serverExists(const std::string& name)
{
    const auto names = listServerNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

void readServerConfig(const std::string& name, ServerConfig& config)
{
    resetToReadDefaults(config);
    if (!serverExists(name))
        return;
    auto settings = SettingsStore::open();
    settings->beginGroup(serverGroup(name));
    for (const ServerConfig::Field& f : ServerConfig::fields())
        readField(*settings, f, config);
    for (const QString& line : settings->value(kHeaders).toString().split('\n', Qt::SkipEmptyParts))
        config.Headers.push_back(line.toStdString());
    config.Fallback = settings->value(kFallback).toString().toStdString();
    config.CrossCheck = settings->value(kCrossCheck).toString().toStdString();
    bool ok = false;
    const int percent = settings->value(kCrossCheckPercent).toInt(&ok);
    if (ok && percent >= ServerConfig::kMinCrossCheckPercent && percent <= ServerConfig::kMaxCrossCheckPercent)
        config.CrossCheckPercent = percent;
}

Status checkServerName(const std::string& name)
{
    if (name.empty())
        return Status::error(Status::Code::InvalidInput, "'' is not a valid server name.");
    // Lines split the list and the registry export, and a backslash would nest a registry key.
    const bool refused = std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || c == '\\';
    });
    if (refused)
        return Status::error(Status::Code::InvalidInput,
                             "A server name must not contain a line break, another control character or a backslash.");
    return Status::ok();
}

Status writeServerConfig(const std::string& name, const ServerConfig& config)
{
    if (Status checkedName = checkServerName(name); !checkedName)
        return checkedName;
    ServerConfig checked = config;
    checked.name = name;
    if (const std::optional<std::string> field = checked.overlongText())
        return Status::error(Status::Code::InvalidInput,
                             "The server's " + *field + " is longer than 259 characters and was not stored.");
    if (name == ServerConfig::kUserDefinedName)
        return Status::error(Status::Code::InvalidInput, "'" + name + "' is not a valid server name.");
    QStringList headers;
    for (const std::string& line : config.Headers) {
        if (Status checkedLine = ServerConfig::checkHeaderLine(line); !checkedLine)
            return checkedLine;
        headers.push_back(QString::fromStdString(line));
    }
    auto settings = SettingsStore::open();
    settings->beginGroup(serverGroup(name));
    for (const ServerConfig::Field& f : ServerConfig::fields())
        writeField(*settings, f, config);
    if (headers.isEmpty())
        settings->remove(kHeaders);
    else
        settings->setValue(kHeaders, headers.join('\n'));
    setOrRemove(*settings, kFallback, config.Fallback.empty() ? QVariant() : QString::fromStdString(config.Fallback));
    setOrRemove(*settings, kCrossCheck,
                config.CrossCheck.empty() ? QVariant() : QString::fromStdString(config.CrossCheck));
    setOrRemove(*settings, kCrossCheckPercent,
                config.CrossCheck.empty() ? QVariant() : QVariant(config.CrossCheckPercent));
    settings->endGroup();
    settings->sync();
    if (settings->status() != QSettings::NoError)
        return Status::error(Status::Code::FileError, "The settings store could not be written.");
    return Status::ok();
}

void deleteServerConfig(const std::string& name)
{
    auto settings = SettingsStore::open();
    settings->remove(serverGroup(name));
}

int storedPresetVersion()
{
    return SettingsStore::value(SettingsKey::ServerPresetVersion).toInt();
}

void storePresetVersion(int version)
{
    SettingsStore::setValue(SettingsKey::ServerPresetVersion, version);
}

bool presetsAreCurrent()
{
    return storedPresetVersion() >= kServerPresetVersion;
}

std::string missingServerMessage(const std::string& name)
{
    return "The server properties for '" + name + "'\n do not exist on this computer!";
}

} // namespace ServerStore
