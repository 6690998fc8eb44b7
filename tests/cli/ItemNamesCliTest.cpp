// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

TEST(ItemNamesCli, NamesThatCouldNeverBeAddressedAreRefused)
{
    TestEnvironment env;
    const QString path = QString::fromStdString(env.path("p.tkr"));
    ASSERT_EQ(runCli({"new", path}).exitCode, 0);
    ASSERT_EQ(runCli({"add", path, "--name", "Acme"}).exitCode, 0);
    const std::string saved = readFileBytes(env.path("p.tkr"));
    const std::vector<std::pair<QString, std::string>> refused = {
        {"Acme", "Acme already exists in the portfolio."},
        {"Ac\tme", "An item name must not contain a tab, a line break or another control character."},
        {"Ac\nme", "An item name must not contain a tab, a line break or another control character."},
        {"Acme\r", "An item name must not contain a tab, a line break or another control character."},
        {"", "Please enter a name for the item."},
        {" \u3000 ", "Please enter a name for the item."},
    };
    for (const auto& [name, message] : refused) {
        const CliResult added = runCli({"add", path, "--name", name});
        EXPECT_EQ(added.exitCode, 2) << name.toStdString();
        EXPECT_EQ(added.err.substr(0, added.err.find('\n')), "tickora-cli: " + message);
    }
    EXPECT_EQ(readFileBytes(env.path("p.tkr")), saved);
    EXPECT_EQ(runCli({"add", path, "--name", "acme"}).exitCode, 0);
}
