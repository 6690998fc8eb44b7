// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/WizardRules.h"
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/base/Utf8.h"
#include "core/extract/PageConverter.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"

#include <gtest/gtest.h>

namespace {

std::string pageVersion(const std::string& raw, PageConverter::Mode mode)
{
    return PageText::forSearch(PageConverter::convertPage(mode, PageText::normalizeEncoding(raw)));
}

// What the standard search finds on `raw` with a generated rule.
ExtractResult extractWith(const WizardRules::Rule& rule, const std::string& raw)
{
    ServerConfig config = ServerConfig::newServerDefaults();
    EXPECT_TRUE(WizardRules::apply(rule, "file:///page.html", ".", ",", "", "", config));
    return QuotationExtractor::extractFromRawPage(config, raw, 0);
}

} // namespace

TEST(WizardRules, TagsBetweenStartTextAndQuotation)
{
    const std::string page = pageVersion("Kurs:<td><b>22,65</b></td>", PageConverter::Mode::SemiHtml);
    const auto outcome = WizardRules::generate(page, PageConverter::Mode::SemiHtml, "22,65");
    ASSERT_EQ(outcome.value().size(), 1u);
    const WizardRules::Rule& rule = outcome.value()[0];
    EXPECT_EQ(rule.startText, "Kurs:");
    EXPECT_EQ(rule.tags, 2);
    EXPECT_EQ(rule.numbers, 0);
    EXPECT_EQ(rule.regionStart, 0u);
    EXPECT_EQ(rule.regionLength, std::string("Kurs:<><>22,65").size());
    EXPECT_EQ(WizardRules::listText(rule), "find text \"Kurs:\" and skip 2 html tag(s) ");
    EXPECT_TRUE(outcome.message().empty());
}

TEST(WizardRules, GuardRejectsLongerNumbers)
{
    const std::string page = pageVersion("Kurs:<td><b>22,650</b></td>", PageConverter::Mode::SemiHtml);
    const auto outcome = WizardRules::generate(page, PageConverter::Mode::SemiHtml, "22,65");
    EXPECT_TRUE(outcome.value().empty());
    EXPECT_TRUE(outcome.message().empty());
}

TEST(WizardRules, StartTextOccurringEarlierIsDiscarded)
{
    const std::string page = pageVersion("Kurs:<td>x</td>Kurs:<td><b>22,65</b>", PageConverter::Mode::SemiHtml);
    const auto outcome = WizardRules::generate(page, PageConverter::Mode::SemiHtml, "22,65");
    // Two tags from the second "Kurs:" would be found by the search at the first one; four from the first work.
    ASSERT_EQ(outcome.value().size(), 1u);
    EXPECT_EQ(outcome.value()[0].tags, 4);
    EXPECT_EQ(outcome.value()[0].regionStart, 0u);
}

TEST(WizardRules, NumbersToSkipAndListTexts)
{
    const std::string page =
        pageVersion("<p>Kurse</p><p>Hoch 23,10 Tief 21,90 Letzter 22,65 EUR</p>", PageConverter::Mode::TextOnly);
    const auto outcome = WizardRules::generate(page, PageConverter::Mode::TextOnly, "22,65");
    ASSERT_FALSE(outcome.value().empty());
    EXPECT_EQ(outcome.value()[0].numbers, 0);
    EXPECT_EQ(outcome.value()[0].startText, "Letzter");
    bool skipsTwo = false;
    for (const auto& rule : outcome.value())
        skipsTwo = skipsTwo || (rule.startText == "Hoch" && rule.numbers == 2);
    EXPECT_TRUE(skipsTwo);

    EXPECT_EQ(WizardRules::listText({PageConverter::Mode::SemiHtml, 3, 2, "A b", 0, 0}),
              "find text \"A b\", skip 3 html tag(s) and then skip 2 number(s)");
    EXPECT_EQ(WizardRules::listText({PageConverter::Mode::None, 0, 4, "A", 0, 0}),
              "find text \"A\" and skip 4 number(s)");
}

TEST(WizardRules, OnlyTagCountZeroOutsideSemiHtml)
{
    const std::string raw = readFileBytes(testDataPath("wizard/quote_page.html"));
    for (PageConverter::Mode mode : {PageConverter::Mode::None, PageConverter::Mode::TextOnly}) {
        int calls = 0;
        int lastTotal = 0;
        const auto outcome = WizardRules::generate(pageVersion(raw, mode), mode, "22,65", [&](int done, int total) {
            EXPECT_EQ(done, ++calls);
            lastTotal = total;
        });
        EXPECT_EQ(calls, 6);
        EXPECT_EQ(lastTotal, 6);
        EXPECT_LE(outcome.value().size(), 6u);
        for (const auto& rule : outcome.value())
            EXPECT_EQ(rule.tags, 0);
    }
    int calls = 0;
    // Only the progress calls count here; the rules of a page were checked above.
    static_cast<void>(WizardRules::generate(pageVersion(raw, PageConverter::Mode::SemiHtml),
                                            PageConverter::Mode::SemiHtml, "22,65", [&](int, int total) {
                                                ++calls;
                                                EXPECT_EQ(total, 96);
                                            }));
    EXPECT_EQ(calls, 96);
}

TEST(WizardRules, EveryRuleFindsTheQuotationWithTheStandardSearch)
{
    const std::vector<std::pair<std::string, std::string>> samples = {
        {readFileBytes(testDataPath("wizard/quote_page.html")), "22,65"},
        {readFileBytes(realDataPath("de_fund_history_table.html")), "667,46"},
        {readFileBytes(realDataPath("de_fund_history_table.html")), "678,24"},
    };
    int rules = 0;
    for (const auto& [raw, quotation] : samples) {
        const double expected = std::stod(quotation.substr(0, quotation.find(','))) +
            std::stod("0." + quotation.substr(quotation.find(',') + 1));
        for (PageConverter::Mode mode :
             {PageConverter::Mode::None, PageConverter::Mode::SemiHtml, PageConverter::Mode::TextOnly}) {
            const std::string page = pageVersion(raw, mode);
            for (const auto& rule : WizardRules::generate(page, mode, quotation).value()) {
                ++rules;
                const ExtractResult result = extractWith(rule, raw);
                EXPECT_EQ(result.status, ExtractStatus::QuotationFound)
                    << WizardRules::listText(rule) << " mode " << static_cast<int>(mode);
                EXPECT_DOUBLE_EQ(result.value, expected)
                    << WizardRules::listText(rule) << " mode " << static_cast<int>(mode);
                EXPECT_EQ(page.compare(rule.regionStart, rule.startText.size(), rule.startText), 0);
                EXPECT_EQ(
                    page.compare(rule.regionStart + rule.regionLength - quotation.size(), quotation.size(), quotation),
                    0)
                    << "the region ends with the quotation";
            }
        }
    }
    EXPECT_GE(rules, 6);
}

TEST(WizardRules, RegionCountsCharactersNotBytes)
{
    // The guard after the quotation is a two-byte character; the region ends right before it.
    const std::string page = pageVersion("Kurs:<b>22,65\xC3\xA4 x", PageConverter::Mode::SemiHtml);
    const auto outcome = WizardRules::generate(page, PageConverter::Mode::SemiHtml, "22,65");
    ASSERT_EQ(outcome.value().size(), 1u);
    EXPECT_EQ(outcome.value()[0].regionLength, std::string("Kurs:<>22,65").size());
    // Start texts are whole characters: "ä" is one of the at most 30.
    const std::string umlauts = pageVersion("<p>\xC3\xA4\xC3\xB6 22,65 </p>", PageConverter::Mode::None);
    const auto second = WizardRules::generate(umlauts, PageConverter::Mode::None, "22,65");
    ASSERT_EQ(second.value().size(), 1u);
    EXPECT_EQ(second.value()[0].startText, "\xC3\xA4\xC3\xB6 ");
}

TEST(WizardRules, Messages)
{
    EXPECT_EQ(WizardRules::generate("Kurs 22,65 ", PageConverter::Mode::SemiHtml, "").message(),
              "Please enter the quotation to be extracted!");
    EXPECT_EQ(WizardRules::generate("Kurs 22,65 ", PageConverter::Mode::SemiHtml, "22,66").message(),
              "Quotation doesn't exist in the specified web page!");
    // The search for the quotation is case-sensitive and exact.
    EXPECT_EQ(WizardRules::generate("Kurs 22,65 EUR", PageConverter::Mode::SemiHtml, "eur").message(),
              "Quotation doesn't exist in the specified web page!");
}

TEST(WizardRules, ResultPutsBackNameAndSymbol)
{
    EXPECT_EQ(WizardRules::startTextWithVariables("IBM Corp.", "IBM", "IBM.DE"), "[&name] Corp.");
    EXPECT_EQ(WizardRules::startTextWithVariables("Siemens SIE.DE Kurs", "Siemens", "SIE.DE"),
              "[&name] [&symbol] Kurs");
    // A symbol that is part of "[&name]" leaves the put-back name whole.
    EXPECT_EQ(WizardRules::startTextWithVariables("Bayer a", "Bayer", "a"), "[&name] [&symbol]");
    EXPECT_EQ(WizardRules::startTextWithVariables("Kurs:", "", ""), "Kurs:");

    ServerConfig config = ServerConfig::newServerDefaults();
    config.Filtering = 1;
    config.NoCaseSensitiv = 0;
    config.RegExp = "kept";
    config.Timeout = 77;
    ASSERT_TRUE(WizardRules::apply({PageConverter::Mode::TextOnly, 0, 3, "IBM Corp.", 0, 0}, "http://x/[&symbol]", "",
                                   ",", "IBM", "I", config));
    EXPECT_EQ(config.URL, "http://x/[&symbol]");
    EXPECT_EQ(config.Format, 2);
    EXPECT_EQ(config.Text_before_Value, "[&name] Corp.");
    EXPECT_EQ(config.Nr_HTML_before_Value, 0);
    EXPECT_EQ(config.Numbers_before_Value, 3);
    EXPECT_EQ(config.TAUSEND, "");
    EXPECT_EQ(config.DECIMAL, ",");
    EXPECT_EQ(config.NoCaseSensitiv, 1);
    EXPECT_EQ(config.Filtering, 0);
    EXPECT_EQ(config.RegExp, "kept");
    EXPECT_EQ(config.Timeout, 77);

    const ServerConfig before = config;
    const Status refused = WizardRules::apply({PageConverter::Mode::SemiHtml, 0, 0, std::string(30, 'x'), 0, 0}, "u",
                                              ".", ",", "", "x", config);
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.message().empty());
    EXPECT_EQ(config, before) << "a refused result changes nothing";
}

TEST(WizardCli, PrintsRulesInGenerationOrder)
{
    TestEnvironment env;
    const QString page = QString::fromStdString(testDataPath("wizard/quote_page.html"));
    CliResult r = runCli({"wizard", page, "--quote", "22,65"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "find text \"Letzter Kurs:\" and skip 3 html tag(s) \n"
              "find text \"IBM Corp. &ndash; Aktie\" and skip 7 html tag(s) \n"
              "find text \"Kurse\" and skip 11 html tag(s) \n");
    r = runCli({"wizard", page, "--quote", "23,00", "--mode", "2", "--json", "--name", "IBM"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("\"textBeforeValue\":\"[&name] Corp. Hoch\""), std::string::npos) << r.out;
    r = runCli({"wizard", page, "--quote", "99,99"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Quotation doesn't exist in the specified web page!\n");
    r = runCli({"wizard", page, "--quote", "22,65", "--mode", "3"});
    EXPECT_EQ(r.exitCode, 2);
    r = runCli({"wizard", QString::fromStdString(env.path("missing.html")), "--quote", "1"});
    EXPECT_EQ(r.exitCode, 3);
}

TEST(WizardRules, LongRunsOfOneLetterBeforeTheQuotation)
{
    for (size_t size : {3'000u, 10'000u, 30'000u}) {
        std::string raw = "<p>" + std::string(2'900, 'x') + " Kurs: <b>22,65</b></p>";
        while (raw.size() < size)
            raw += "<p>y</p>";
        for (PageConverter::Mode mode :
             {PageConverter::Mode::None, PageConverter::Mode::SemiHtml, PageConverter::Mode::TextOnly}) {
            const auto outcome = WizardRules::generate(pageVersion(raw, mode), mode, "22,65");
            ASSERT_TRUE(outcome) << outcome.message();
            EXPECT_FALSE(outcome.value().empty()) << size << " mode " << static_cast<int>(mode);
            for (const auto& rule : outcome.value()) {
                EXPECT_DOUBLE_EQ(extractWith(rule, raw).value, 22.65) << WizardRules::listText(rule);
                EXPECT_LE(utf8Length(rule.startText), 30);
            }
        }
    }
}
