// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ComparisonSettings.h"

#include "core/base/LocalTime.h"
#include "core/settings/SettingsStore.h"

ComparisonSettings ComparisonSettings::read()
{
    auto number = [](SettingsKey key) { return SettingsStore::value(key).toInt(); };
    ComparisonSettings read;
    read.useBegin = number(SettingsKey::GraphBeginSet) != 0;
    read.beginYear = number(SettingsKey::GraphBeginYear);
    read.beginMonth = number(SettingsKey::GraphBeginMonth);
    read.beginDay = number(SettingsKey::GraphBeginDay);
    read.useEnd = number(SettingsKey::GraphEndSet) != 0;
    read.endYear = number(SettingsKey::GraphEndYear);
    read.endMonth = number(SettingsKey::GraphEndMonth);
    read.endDay = number(SettingsKey::GraphEndDay);
    read.grid = number(SettingsKey::GraphGrid) != 0;
    return read;
}

void ComparisonSettings::write() const
{
    SettingsStore::setValue(SettingsKey::GraphBeginSet, useBegin ? 1 : 0);
    SettingsStore::setValue(SettingsKey::GraphBeginYear, beginYear);
    SettingsStore::setValue(SettingsKey::GraphBeginMonth, beginMonth);
    SettingsStore::setValue(SettingsKey::GraphBeginDay, beginDay);
    SettingsStore::setValue(SettingsKey::GraphEndSet, useEnd ? 1 : 0);
    SettingsStore::setValue(SettingsKey::GraphEndYear, endYear);
    SettingsStore::setValue(SettingsKey::GraphEndMonth, endMonth);
    SettingsStore::setValue(SettingsKey::GraphEndDay, endDay);
    SettingsStore::setValue(SettingsKey::GraphGrid, grid ? 1 : 0);
}

time_t ComparisonSettings::beginTime() const
{
    return localTimeOf(beginYear, beginMonth, beginDay, 0, 0, 0);
}

time_t ComparisonSettings::endTime() const
{
    return localTimeOf(endYear, endMonth, endDay, 23, 59, 59);
}
