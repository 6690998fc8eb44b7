// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// The settings the program keeps outside the two typed tables (the general options and the server rule
// fields, whose names are also their command-line and export names).
enum class SettingsKey {
    MainWindowDimensions,
    ListViewHeight,
    ListColumnsWidth,
    ListColumnsOrder,
    ListSortColumn,
    ListSortReverse,
    ListPercentual,
    ConnectionColumns,
    HomePage,
    DownloadUserAgent,
    GraphBeginSet,
    GraphBeginYear,
    GraphBeginMonth,
    GraphBeginDay,
    GraphEndSet,
    GraphEndYear,
    GraphEndMonth,
    GraphEndDay,
    GraphGrid,
    // The URL templates the import location offers; the program never writes them.
    ImportUrl1,
    ImportUrl2,
    ImportUrl3,
    ImportUrl4,
    ImportUrl5,
    ServerPresetVersion,
};

// Every key name of the settings store is written here and nowhere else.
namespace SettingsKeys {

// The store's identity: the registry path "Software\\Tickorasoft\\Tickora" on Windows, the file
// "Tickorasoft/Tickora.conf" elsewhere, and the names the programs give themselves.
inline constexpr const char* kOrganisationName = "Tickorasoft";
inline constexpr const char* kApplicationName = "Tickora";

// A stored server's request lines, beside its 19 rule values; present only when it has some.
inline constexpr const char* kServerHeaders = "Headers";
inline constexpr const char* kServerFallback = "Fallback";
inline constexpr const char* kServerCrossCheck = "CrossCheck";
inline constexpr const char* kServerCrossCheckPercent = "CrossCheckPercent";

// The fields of one item's group under ruleHealthSection().
inline constexpr const char* kRuleHealthLastSuccess = "LastSuccess";
inline constexpr const char* kRuleHealthFailures = "Failures";
inline constexpr const char* kRuleHealthLastFailure = "LastFailure";
inline constexpr const char* kRuleHealthLastTextBefore = "LastTextBefore";
inline constexpr const char* kRuleHealthFallback = "Fallback";
inline constexpr const char* kRuleHealthFallbackSince = "FallbackSince";

inline constexpr const char* kDefaultHomePage = "https://tickora.org/";
inline constexpr const char* kDefaultUserAgent = "Tickora/" TICKORA_VERSION;

struct Entry {
    SettingsKey key;
    // "Section/Name" as stored.
    const char* path;
    // The type the value is read as; a missing value reads as `fallback`.
    QMetaType::Type type;
    QVariant fallback;
};

const Entry& entry(SettingsKey key);
QString path(SettingsKey key);

// The section of the general options, named by their fields.
QString generalOptionsGroup();
// One group per stored server under this section, named by the escaped server name.
QString serverSection();
// Rule health: one group per portfolio under this section, one per item inside it.
QString ruleHealthSection();
// The recent-file list, "File1" (the newest) upwards.
QString recentFile(int number);

} // namespace SettingsKeys
