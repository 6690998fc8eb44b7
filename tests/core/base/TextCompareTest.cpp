// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TextCompare.h"
#include "core/model/ItemClipboard.h"

#include <gtest/gtest.h>

TEST(TextCompareTest, UnicodeSimpleCaseFoldingEverywhereTheProgramIgnoresCase)
{
    const std::vector<std::pair<std::string, std::string>> equal = {
        {"ŠKODA", "škoda"}, {"Ÿ", "ÿ"},      {"ΑΘΗΝΑ", "αθηνα"}, {"МОСКВА", "москва"},
        {"Ärger", "ärger"}, {"\u212A", "k"}, {"AbC", "aBc"},
    };
    for (const auto& [a, b] : equal)
        EXPECT_EQ(compareIgnoringCase(a, b), 0) << a << " / " << b;
    EXPECT_NE(compareIgnoringCase("ß", "ss"), 0) << "simple folding keeps the sharp s";
    EXPECT_LT(compareIgnoringCase("apple", "Banana"), 0);
    EXPECT_EQ(foldCase("\xE4X\xFF"), "\xE4x\xFF") << "bytes that are not UTF-8 stay";
    EXPECT_EQ(foldCase("Price ÄÖ: 1,5 EUR[Z]@"), "price äö: 1,5 eur[z]@") << "ASCII runs around other letters";
    EXPECT_EQ(foldCase(""), "");
    EXPECT_EQ(foldCase("@AZ[`az{ @AZ[`az{ \x7F-Q \xC3\x84 PRICE 1.5 EUR @AZ[`az{"),
              "@az[`az{ @az[`az{ \x7F-q \xC3\xA4 price 1.5 eur @az[`az{")
        << "the letters' neighbours, in blocks of eight and in the tail";
    EXPECT_EQ(pastedItemName("ärger", {"Ärger"}), "Copy of ärger");
}
