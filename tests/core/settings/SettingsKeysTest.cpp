// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QSet>

TEST(SettingsKeys, TableMatchesTheKeysAndNamesEachPlaceOnce)
{
    QSet<QString> paths;
    for (int i = 0; i <= int(SettingsKey::ServerPresetVersion); ++i) {
        const auto key = static_cast<SettingsKey>(i);
        const SettingsKeys::Entry& entry = SettingsKeys::entry(key);
        EXPECT_EQ(entry.key, key) << i;
        EXPECT_TRUE(entry.fallback.canConvert(QMetaType(entry.type))) << entry.path;
        paths.insert(SettingsKeys::path(key));
    }
    EXPECT_EQ(paths.size(), int(SettingsKey::ServerPresetVersion) + 1);
    EXPECT_EQ(SettingsKeys::recentFile(3), QStringLiteral("Recent File List/File3"));
}

TEST(SettingsKeys, ValuesReadAsTheirTypeWithTheTableDefault)
{
    TestEnvironment env;
    EXPECT_EQ(SettingsStore::value(SettingsKey::ListViewHeight), QVariant(150));
    EXPECT_EQ(SettingsStore::value(SettingsKey::HomePage).toString(), QStringLiteral("https://tickora.org/"));
    SettingsStore::setValue(SettingsKey::ListViewHeight, QStringLiteral("210"));
    {
        auto settings = SettingsStore::open();
        EXPECT_EQ(settings->value(QStringLiteral("ListView/Dimensions")).toString(), QStringLiteral("210"));
    }
    const QVariant height = SettingsStore::value(SettingsKey::ListViewHeight);
    EXPECT_EQ(height.typeId(), QMetaType::Int);
    EXPECT_EQ(height.toInt(), 210);
}
