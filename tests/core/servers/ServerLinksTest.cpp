// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerLinks.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Servers by name with their fallbacks; a name missing from the map is a server that is not stored.
ServerLinks::ServerLookup lookupOf(const std::map<std::string, std::string>& fallbacks)
{
    return [fallbacks](const std::string& name) -> std::optional<ServerConfig> {
        const auto found = fallbacks.find(name);
        if (found == fallbacks.end())
            return std::nullopt;
        ServerConfig config;
        config.name = name;
        config.Fallback = found->second;
        return config;
    };
}

} // namespace

TEST(ServerLinks, TheFallbackChainHasAtMostThreeServersNeverOneTwiceAndNoMissingOne)
{
    const struct {
        std::map<std::string, std::string> fallbacks;
        std::vector<std::string> chain;
    } cases[] = {
        {{{"A", ""}}, {"A"}},
        {{{"A", "B"}, {"B", "C"}, {"C", "D"}, {"D", ""}}, {"A", "B", "C"}},
        {{{"A", "B"}, {"B", "A"}}, {"A", "B"}},
        {{{"A", "Gone"}}, {"A"}},
        {{{"A", "B"}, {"B", "Gone"}}, {"A", "B"}},
        {{}, {"A"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ServerLinks::fallbackChain("A", lookupOf(c.fallbacks)), c.chain) << c.chain.size();
}

TEST(ServerLinks, ThePercentIsCheckedAtItsEdgesAndShownAsTyped)
{
    const auto lookup = lookupOf({{"A", ""}, {"B", ""}});
    ServerConfig config;
    config.CrossCheck = "B";
    for (const auto& [hundredths, accepted] :
         {std::pair{9, false}, std::pair{10, true}, std::pair{10000, true}, std::pair{10001, false}}) {
        config.CrossCheckPercent = hundredths;
        EXPECT_EQ(bool(ServerLinks::check("A", config, lookup)), accepted) << hundredths;
    }
    EXPECT_EQ(ServerLinks::percentText(200), "2");
    EXPECT_EQ(ServerLinks::percentText(5), "0.05");
    EXPECT_EQ(ServerLinks::percentText(1234), "12.34");
}
