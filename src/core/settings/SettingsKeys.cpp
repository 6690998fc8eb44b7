// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsKeys.h"

#include <array>

namespace SettingsKeys {

namespace {

const std::array<Entry, 25>& table()
{
    static const std::array<Entry, 25> entries = {{
        // "left,top,right,bottom" of the main window.
        {SettingsKey::MainWindowDimensions, "MainWindow/Dimensions", QMetaType::QString, QString()},
        {SettingsKey::ListViewHeight, "ListView/Dimensions", QMetaType::Int, 150},
        {SettingsKey::ListColumnsWidth, "ListView/ColumnsWidth", QMetaType::QString, QString()},
        {SettingsKey::ListColumnsOrder, "ListView/ColumnsOrder", QMetaType::QString, QString()},
        {SettingsKey::ListSortColumn, "ListView/SortColumn", QMetaType::Int, 0},
        {SettingsKey::ListSortReverse, "ListView/SortReverse", QMetaType::Int, 0},
        {SettingsKey::ListPercentual, "ListView/ProcentualValue", QMetaType::Int, 1},
        {SettingsKey::ConnectionColumns, "ConnectionDialog/Columns", QMetaType::QString, QStringLiteral("84,134,148")},
        {SettingsKey::HomePage, "Application/HomePage", QMetaType::QString, QString::fromLatin1(kDefaultHomePage)},
        // Sent as the only User-Agent header of every request; a text option, so "GeneralOptions" stays all numbers.
        {SettingsKey::DownloadUserAgent, "Download/UserAgent", QMetaType::QString,
         QString::fromLatin1(kDefaultUserAgent)},
        // The period and grid of the comparison chart.
        {SettingsKey::GraphBeginSet, "GraphView/Beginb", QMetaType::Int, 0},
        {SettingsKey::GraphBeginYear, "GraphView/BeginYear", QMetaType::Int, 1999},
        {SettingsKey::GraphBeginMonth, "GraphView/BeginMonth", QMetaType::Int, 1},
        {SettingsKey::GraphBeginDay, "GraphView/BeginDay", QMetaType::Int, 1},
        {SettingsKey::GraphEndSet, "GraphView/Endb", QMetaType::Int, 0},
        {SettingsKey::GraphEndYear, "GraphView/EndYear", QMetaType::Int, 2005},
        {SettingsKey::GraphEndMonth, "GraphView/EndMonth", QMetaType::Int, 1},
        {SettingsKey::GraphEndDay, "GraphView/EndDay", QMetaType::Int, 1},
        {SettingsKey::GraphGrid, "GraphView/bGrid", QMetaType::Int, 1},
        {SettingsKey::ImportUrl1, "ServerImport/URL1", QMetaType::QString,
         QStringLiteral("http://ichart.finance.yahoo.com/table.csv?b=[&day_begin]&a=[&month_begin-1]&c=[&year_begin]"
                        "&e=[&day_end]&d=[&month_end-1]&f=[&year_end]&g=d&ignore=.csv&s=[&symbol]")},
        {SettingsKey::ImportUrl2, "ServerImport/URL2", QMetaType::QString,
         QStringLiteral("http://www.dws.de/kurse/[&symbol].csv")},
        {SettingsKey::ImportUrl3, "ServerImport/URL3", QMetaType::QString, QString()},
        {SettingsKey::ImportUrl4, "ServerImport/URL4", QMetaType::QString, QString()},
        {SettingsKey::ImportUrl5, "ServerImport/URL5", QMetaType::QString, QString()},
        {SettingsKey::ServerPresetVersion, "Server Version/Version number", QMetaType::Int, 0},
    }};
    return entries;
}

} // namespace

const Entry& entry(SettingsKey key)
{
    return table()[static_cast<size_t>(key)];
}

QString path(SettingsKey key)
{
    return QString::fromLatin1(entry(key).path);
}

QString generalOptionsGroup()
{
    return QStringLiteral("GeneralOptions");
}

QString serverSection()
{
    return QStringLiteral("Server");
}

QString ruleHealthSection()
{
    return QStringLiteral("RuleHealth");
}

QString recentFile(int number)
{
    return QStringLiteral("Recent File List/File%1").arg(number);
}

} // namespace SettingsKeys
