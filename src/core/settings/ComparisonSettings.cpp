#include "core/settings/ComparisonSettings.h"

#include "core/settings/SettingsStore.h"

namespace {

time_t localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

} // namespace

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
    return localTime(beginYear, beginMonth, beginDay, 0, 0, 0);
}

time_t ComparisonSettings::endTime() const
{
    return localTime(endYear, endMonth, endDay, 23, 59, 59);
}
