// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/GeneralOptions.h"

#include "core/settings/SettingsStore.h"

#include <QSettings>

namespace {

std::string rangeMessage(const GeneralOptions::Field& field)
{
    return "Please enter an integer between " + std::to_string(field.min) + " and " + std::to_string(field.max) + ".";
}

bool inRange(const GeneralOptions::Field& field, int32_t value)
{
    return value >= field.min && value <= field.max;
}

} // namespace

const std::array<GeneralOptions::Field, 15>& GeneralOptions::fields()
{
    static const std::array<Field, 15> table = {{
        {"NumberDownloads", &GeneralOptions::NumberDownloads, 1, 500},
        {"AutosaveOnExit", &GeneralOptions::AutosaveOnExit, 0, 1},
        {"Autoupdate", &GeneralOptions::Autoupdate, 0, 1},
        {"Autoupdate_Time", &GeneralOptions::Autoupdate_Time, 0, 1},
        {"DownloadStatus", &GeneralOptions::DownloadStatus, 0, 1},
        {"Hour1", &GeneralOptions::Hour1, 0, 23},
        {"Hour2", &GeneralOptions::Hour2, 0, 23},
        {"Minute1", &GeneralOptions::Minute1, 0, 59},
        {"Minute2", &GeneralOptions::Minute2, 0, 59},
        {"UpdateIntervall", &GeneralOptions::UpdateIntervall, 5, 500},
        {"AutosaveWindows", &GeneralOptions::AutosaveWindows, 0, 1},
        {"ShowFileOnError", &GeneralOptions::ShowFileOnError, 0, 1},
        {"ConnectionsPerHost", &GeneralOptions::ConnectionsPerHost, 1, 16},
        {"GuardPercent", &GeneralOptions::GuardPercent, 0, 1000},
        {"BackupDays", &GeneralOptions::BackupDays, 0, 3650},
    }};
    return table;
}

const GeneralOptions::Field* GeneralOptions::findField(const std::string& name)
{
    for (const Field& field : fields())
        if (name == field.name)
            return &field;
    return nullptr;
}

GeneralOptions GeneralOptions::readOptions()
{
    GeneralOptions options;
    auto settings = SettingsStore::open();
    settings->beginGroup(SettingsKeys::generalOptionsGroup());
    for (const Field& field : fields()) {
        bool ok = false;
        const int value = settings->value(field.name).toInt(&ok);
        // A value the dialog could never have stored (0 download slots, say) would stall the program.
        if (ok && inRange(field, value))
            options.*field.value = value;
    }
    return options;
}

bool GeneralOptions::writeOptions() const
{
    auto settings = SettingsStore::open();
    settings->beginGroup(SettingsKeys::generalOptionsGroup());
    for (const Field& field : fields())
        settings->setValue(field.name, this->*field.value);
    settings->endGroup();
    settings->sync();
    return settings->status() == QSettings::NoError;
}

Result<int32_t> GeneralOptions::checkEntry(const Field& field, const std::string& text)
{
    bool ok = false;
    const int parsed = QString::fromStdString(text).trimmed().toInt(&ok);
    if (!ok)
        return Status::error(Status::Code::InvalidInput, "Please enter a positive integer.");
    if (!inRange(field, parsed))
        return Status::error(Status::Code::InvalidInput, rangeMessage(field));
    return parsed;
}

Status GeneralOptions::validate() const
{
    for (const Field& field : fields())
        if (!inRange(field, this->*field.value))
            return Status::error(Status::Code::InvalidInput, rangeMessage(field));
    return Status::ok();
}
