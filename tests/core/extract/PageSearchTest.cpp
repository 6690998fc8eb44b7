// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "core/base/FileReader.h"
#include "core/base/TextCompare.h"
#include "core/base/Windows1252.h"
#include "core/extract/MonthNames.h"
#include "core/extract/PageConverter.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"
#include "core/extract/StandardSearch.h"

#include <gtest/gtest.h>

using StandardSearch::Rule;

namespace {

Rule rule(const char* start, const char* thousands, const char* decimal, int numbers, int tags = 0,
          bool caseInsensitive = true)
{
    Rule r;
    r.startText = start;
    r.thousands = thousands;
    r.decimal = decimal;
    r.numbersToSkip = numbers;
    r.tagsToSkip = tags;
    r.caseInsensitive = caseInsensitive;
    return r;
}

} // namespace

TEST(convertPage, SemiHtmlEmptiesTagsAndTextOnlyRemovesThem)
{
    EXPECT_EQ(PageConverter::convertPage(PageConverter::Mode::SemiHtml, "a<b>c</b>d"), "a<>c<>d");
    EXPECT_EQ(PageConverter::convertPage(PageConverter::Mode::TextOnly, "a<b>c</b>d"), "a c d ");
    EXPECT_EQ(PageConverter::convertPage(PageConverter::Mode::None, "a<b>c"), "a<b>c");
    EXPECT_EQ(PageConverter::convertPage(PageConverter::Mode::TextOnly, "<p><b>x</b></p>"), "x ");
    EXPECT_EQ(PageConverter::convertPage(static_cast<PageConverter::Mode>(7), "a<b>c"), "");
}

TEST(convertPage, UnclosedTagDropsTheRest)
{
    EXPECT_EQ(PageConverter::convertPage(PageConverter::Mode::SemiHtml, "a<b>c<d e f"), "a<>c<");
    EXPECT_EQ(PageConverter::convertPage(PageConverter::Mode::TextOnly, "a<b>c<d e f"), "a c ");
    EXPECT_EQ(PageConverter::convertPage(PageConverter::Mode::SemiHtml, "x > y"), "x > y");
}

TEST(convertPage, FileEntryPointConvertsWindows1252ToUtf8)
{
    TestEnvironment env;
    const std::string source = env.writeFile("page.html",
                                             "<td>R\xFC"
                                             "cknahmepreis</td>");
    const std::string target = env.path("page.txt");
    ASSERT_TRUE(PageConverter::convertPageFile(PageConverter::Mode::TextOnly, source, target));
    EXPECT_EQ(readFileBytes(target), "Rücknahmepreis ");
    EXPECT_TRUE(PageConverter::convertPageFile(PageConverter::Mode::None, env.path("missing.html"), target));
    EXPECT_EQ(readFileBytes(target), "") << "an unreadable source leaves the target empty";
}

TEST(StandardSearchTest, SkipsNumbersSeparatedByAnyNonNumberCharacter)
{
    const std::string page = PageText::forSearch("Last Trade: 10:45 12.50");
    auto r = StandardSearch::search(page, rule("Last Trade:", ",", ".", 0));
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, 10.0);
    r = StandardSearch::search(page, rule("Last Trade:", ",", ".", 1));
    EXPECT_DOUBLE_EQ(r.value, 45.0);
    r = StandardSearch::search(page, rule("Last Trade:", ",", ".", 2));
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, 12.5);
    r = StandardSearch::search(page, rule("Last Trade:", ",", ".", 3));
    EXPECT_EQ(static_cast<int>(r.status), 1);
    EXPECT_EQ(r.excerpt, "EOF");
    EXPECT_EQ(r.statusText(), "Error: Quotation not found!! (EOF)");
}

TEST(StandardSearchTest, MissingStartTextAndEmptyStartText)
{
    const std::string page = PageText::forSearch("Price 5,25 EUR");
    auto r = StandardSearch::search(page, rule("Kurs", "", ",", 0));
    EXPECT_EQ(static_cast<int>(r.status), 2);
    EXPECT_EQ(r.excerpt, "");
    EXPECT_EQ(r.statusText(), "Error: Text not found!");
    r = StandardSearch::search(page, rule("", "", ",", 0));
    EXPECT_DOUBLE_EQ(r.value, 5.25);
}

TEST(StandardSearchTest, DatesAndGroupedAmountsCountAsOneSkippedNumber)
{
    const std::string page = PageText::forSearch("Stand 12-15 1.234,5 then 99,5 units");
    const auto r = StandardSearch::search(page, rule("Stand", ".", ",", 2));
    EXPECT_DOUBLE_EQ(r.value, 99.5);
}

TEST(StandardSearchTest, NumberStartsAndExcerpts)
{
    const std::string tail(80, 'x');
    auto r = StandardSearch::search(PageText::forSearch("Kurs: - " + tail), rule("Kurs:", ".", ",", 0));
    EXPECT_EQ(static_cast<int>(r.status), 1) << "a sign not followed by a digit starts no number; the page ends";
    EXPECT_EQ(r.excerpt, "");
    EXPECT_EQ(r.statusText(), "Error: Quotation not found!!");

    r = StandardSearch::search(PageText::forSearch("Kurs: +-5 x"), rule("Kurs:", ".", ",", 0));
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, -5.0);

    r = StandardSearch::search(PageText::forSearch("Kurs: 5"), rule("Kurs:", ".", ",", 0));
    EXPECT_EQ(static_cast<int>(r.status), 1) << "a one-digit number ending the page is not read";
    EXPECT_EQ(r.excerpt, "5");

    const std::string longPage = PageText::forSearch("Kurs: 5 " + tail);
    EXPECT_EQ(PageText::excerptAt(longPage, 6), "5 " + std::string(48, 'x') + " [...]");
    EXPECT_EQ(PageText::excerptAt(longPage, longPage.size() - 50), std::string(50, 'x'));
    EXPECT_EQ(PageText::excerptAt("ääää", 2), "äää") << "excerpts count characters, not bytes";
}

TEST(StandardSearchTest, ZeroBytesInThePageBecomeBlanks)
{
    const std::string page = PageText::forSearch(std::string("Kurs\0 12,5 x", 12));
    const auto r = StandardSearch::search(page, rule("Kurs ", "", ",", 0));
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, 12.5);
}

TEST(TagSkipSearchTest, NumbersMustShareTheTextRunAfterTheSkippedTags)
{
    const std::string page = PageText::forSearch("Price<><>12,5<>");
    auto r = StandardSearch::tagSkipSearch(page, rule("Price", "", ",", 0, 2));
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, 12.5);
    r = StandardSearch::tagSkipSearch(page, rule("Price", "", ",", 0, 1));
    EXPECT_EQ(static_cast<int>(r.status), 1);
    EXPECT_EQ(r.excerpt, "<>12,5<>");

    const std::string run = PageText::forSearch("Price<>1 2 3,5<>7,5 ");
    r = StandardSearch::tagSkipSearch(run, rule("Price", "", ",", 2, 1));
    EXPECT_DOUBLE_EQ(r.value, 3.5);
    r = StandardSearch::tagSkipSearch(run, rule("Price", "", ",", 3, 1));
    EXPECT_EQ(static_cast<int>(r.status), 1) << "the quotation lies beyond the next tag";
}

TEST(TagSkipSearchTest, TooFewTagsGiveEof)
{
    const std::string page = PageText::forSearch("Price<>x 5");
    const auto r = StandardSearch::tagSkipSearch(page, rule("Price", "", ",", 0, 3));
    EXPECT_EQ(static_cast<int>(r.status), 1);
    EXPECT_EQ(r.excerpt, "EOF");
}

TEST(CaseFolding, StartTextMatchesRegardlessOfCaseOnlyWhenAsked)
{
    const std::string page = PageText::forSearch("LAST TRADE: 7.25 USD");
    auto r = StandardSearch::search(page, rule("Last Trade", ",", ".", 0, 0, true));
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, 7.25);
    r = StandardSearch::search(page, rule("Last Trade", ",", ".", 0, 0, false));
    EXPECT_EQ(static_cast<int>(r.status), 2);
}

TEST(CaseFolding, Latin1LettersFoldInBothPageEncodings)
{
    const std::string utf8Page = "R\xC3\x9C"
                                 "CKNAHMEPREIS 101,50 EUR";
    const std::string cp1252Page = "R\xDC"
                                   "CKNAHMEPREIS 101,50 EUR";
    for (const std::string& raw : {utf8Page, cp1252Page}) {
        const auto r = StandardSearch::search(PageText::forSearch(raw), rule("Rücknahmepreis", ".", ",", 0));
        EXPECT_EQ(static_cast<int>(r.status), 0);
        EXPECT_DOUBLE_EQ(r.value, 101.5);
    }
    EXPECT_EQ(foldCase("ÀÖ×ÞßÄ"), "àö×þßä") << "the multiplication sign and sharp s stay";
}

TEST(StandardSearchTest, IgnoringCaseFoldsEveryScriptAndKeepsExcerptsWhole)
{
    struct Case {
        std::string page;
        const char* start;
        double value;
    };
    for (const Case& c : {Case{"ŠKODA AUTO 12,50", "škoda", 12.5}, Case{"Ÿ 3,25", "ÿ", 3.25},
                          Case{"ΑΘΗΝΑ 7,00", "αθηνα", 7.0}, Case{"МОСКВА 8,00", "москва", 8.0}}) {
        const auto r = StandardSearch::search(PageText::forSearch(c.page), rule(c.start, ".", ",", 0));
        EXPECT_EQ(r.status, ExtractStatus::QuotationFound) << c.start;
        EXPECT_DOUBLE_EQ(r.value, c.value) << c.start;
    }
    // The Kelvin sign (3 bytes) folds to "k" (1 byte): the excerpt after it stays whole characters.
    const auto r =
        StandardSearch::search(PageText::forSearch("\u212A\u212A Ärger: -- äöü"), rule("ärger", ".", ",", 0));
    EXPECT_NE(r.status, ExtractStatus::QuotationFound);
    EXPECT_TRUE(Windows1252::isValidUtf8(r.excerpt)) << r.excerpt;
    EXPECT_EQ(MonthNames::monthOf("MÄRZ"), 3);
    EXPECT_EQ(MonthNames::monthOf("März"), 3);
}

TEST(Windows1252Test, ConvertsBothWaysAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(Windows1252::toUtf8("\x80 \xE4\x9F"), "€ äŸ");
    std::string back;
    ASSERT_TRUE(Windows1252::fromUtf8("€ äŸ", back));
    EXPECT_EQ(back, "\x80 \xE4\x9F");
    EXPECT_FALSE(Windows1252::fromUtf8("Ω", back));
    EXPECT_EQ(Windows1252::fromUtf8Lossy("aΩb"), "a?b");
    EXPECT_TRUE(Windows1252::isValidUtf8("äöü"));
    EXPECT_FALSE(Windows1252::isValidUtf8("\xE4\xF6"));
    EXPECT_FALSE(Windows1252::isValidUtf8("\xC0\x80")) << "overlong forms are not UTF-8";
}

TEST(RealPages, FundHistoryTableInEveryConversion)
{
    const std::optional<std::string> read = readWholeFile(realDataPath("de_fund_history_table.html"));
    ASSERT_TRUE(read);
    const std::string& page = *read;
    ServerConfig rules = ServerConfig::newServerDefaults();
    rules.TAUSEND = ".";
    rules.DECIMAL = ",";
    rules.Text_before_Value = "07.12.2020";

    rules.Format = 2;
    auto r = QuotationExtractor::extractFromRawPage(rules, page, 0);
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, 678.24);
    rules.Numbers_before_Value = 3;
    r = QuotationExtractor::extractFromRawPage(rules, page, 0);
    EXPECT_DOUBLE_EQ(r.value, 677.13) << "Schluss, the closing price";

    rules.Format = 1;
    rules.Numbers_before_Value = 0;
    rules.Nr_HTML_before_Value = 2;
    r = QuotationExtractor::extractFromRawPage(rules, page, 0);
    EXPECT_EQ(static_cast<int>(r.status), 0);
    EXPECT_DOUBLE_EQ(r.value, 678.24);

    rules.Format = 2;
    rules.Text_before_Value = "ERÖFFNUNG";
    rules.Numbers_before_Value = 0;
    r = QuotationExtractor::extractFromRawPage(rules, Windows1252::fromUtf8Lossy(page), 0);
    EXPECT_DOUBLE_EQ(r.value, 3122020.0) << "the first date after the header reads as a grouped number";
    rules.Numbers_before_Value = 1;
    r = QuotationExtractor::extractFromRawPage(rules, Windows1252::fromUtf8Lossy(page), 0);
    EXPECT_EQ(static_cast<int>(r.status), 0) << r.statusText();
    EXPECT_DOUBLE_EQ(r.value, 665.89);
}

TEST(ItemVariablesTest, OnlyTheTextTheRuleUsesIsCheckedForLength)
{
    ServerConfig rules = ServerConfig::newServerDefaults();
    rules.Text_before_Value = "Price of [&symbol]";
    rules.RegExp = "[&symbol] ([0-9.]+)";
    const std::string symbol(260, 'S');
    for (const int filtering : {0, 1}) {
        rules.Filtering = filtering;
        EXPECT_TRUE(QuotationExtractor::withItemVariables(rules, "N", "SYM")) << filtering;
        const Result<ServerConfig> withLong = QuotationExtractor::withItemVariables(rules, "N", symbol);
        ASSERT_FALSE(withLong) << filtering;
        EXPECT_EQ(withLong.message(),
                  std::string(filtering ? "The regular expression" : "The start text") +
                      " is longer than 259 characters with the item's name and symbol put in.");
    }
    rules.Text_before_Value = "Price";
    rules.Filtering = 0;
    const Result<ServerConfig> standard = QuotationExtractor::withItemVariables(rules, "N", symbol);
    ASSERT_TRUE(standard) << "the unused pattern grows past 259 characters";
    EXPECT_EQ(standard->Text_before_Value, "Price");
}
