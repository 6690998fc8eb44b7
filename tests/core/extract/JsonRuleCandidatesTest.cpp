// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonRuleCandidates.h"

#include <gtest/gtest.h>

namespace {

// The search holds a whole document; a page past the bound offers nothing rather than gigabytes.
TEST(JsonRuleCandidates, PlacesOfPagesUpToTheBound)
{
    const std::string answer = R"({"quote": {"price": 101.5, "volume": 7}})";
    const std::vector<TextRuleCandidates::NumberFormat> formats = {{"", "."}};
    const std::vector<RepairPlace> places = JsonRuleCandidates::places(answer, formats, 100.0, 5.0, "$.price");
    ASSERT_EQ(places.size(), 1U);
    EXPECT_EQ(places[0].jsonPath, "$.quote.price");

    std::string padded = answer;
    padded.resize(JsonRuleCandidates::kMaxPageBytes, ' ');
    EXPECT_EQ(JsonRuleCandidates::places(padded, formats, 100.0, 5.0, "$.price").size(), 1U);
    padded += ' ';
    EXPECT_TRUE(JsonRuleCandidates::places(padded, formats, 100.0, 5.0, "$.price").empty());
}

} // namespace
