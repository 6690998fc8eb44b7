// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathProposals.h"
#include "TestEnvironment.h"
#include "core/extract/XPathExtract.h"

#include <gtest/gtest.h>

namespace {

double valueBy(const std::string& page, const std::string& expression)
{
    return XPathExtract::extract(page, {{expression, "", ""}, ".", ",", std::nullopt}, 0).value;
}

// A page written for this test: the quotation inside an element with an id, beside a label, and with
// class names, some of them generated.
TEST(XPathProposals, ByIdLabelAndClassBestFirstAndEachFindsTheQuotation)
{
    const std::string page = "<html><body><div id='quote'><table><tr><td>Kurs</td>"
                             "<td><span class='price x8f3a2c last'>22,65</span> EUR</td></tr></table></div>"
                             "<p class='note'>It's 22,10 \"today\"</p></body></html>";
    const Result<std::vector<std::string>> proposed = XPathProposals::propose(page, "22,65");
    ASSERT_TRUE(proposed) << proposed.message();
    const std::vector<std::string> expected = {
        "//*[@id='quote']//span",
        "//td[normalize-space()='Kurs']/following-sibling::td[1]",
        "//span[contains(concat(' ',normalize-space(@class),' '),' price ')]",
    };
    EXPECT_EQ(*proposed, expected);
    for (const std::string& expression : *proposed)
        EXPECT_DOUBLE_EQ(valueBy(page, expression), 22.65) << expression;

    const Result<std::vector<std::string>> quoted = XPathProposals::propose(page, "It's 22,10 \"today\"");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(*quoted, std::vector<std::string>{"//p[contains(concat(' ',normalize-space(@class),' '),' note ')]"});
    EXPECT_TRUE(XPathProposals::propose(page, "99,99")->empty());
    EXPECT_EQ(XPathProposals::propose(page, "").message(), "Please enter the quotation to be extracted!");
}

TEST(XPathProposals, TheRealFundTableByItsColumns)
{
    const std::string page = readFileBytes(realDataPath("de_fund_history_table.html"));
    const Result<std::vector<std::string>> proposed = XPathProposals::propose(page, "677,13");
    ASSERT_TRUE(proposed) << proposed.message();
    const std::string close = "//tr[td][3]/td[count((//th[normalize-space()='Schluss'])[1]/preceding-sibling::th)+1]";
    EXPECT_NE(std::find(proposed->begin(), proposed->end(), close), proposed->end());
    for (const std::string& expression : *proposed)
        EXPECT_DOUBLE_EQ(valueBy(page, expression), 677.13) << expression;
}

} // namespace
