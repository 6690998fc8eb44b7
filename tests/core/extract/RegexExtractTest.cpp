// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/RegexExtract.h"
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/base/Windows1252.h"
#include "core/extract/MonthNames.h"
#include "core/extract/PageText.h"
#include "core/extract/Pcre2Regex.h"
#include "core/extract/QuotationExtractor.h"
#include "core/extract/QuotationNumber.h"

#include <gtest/gtest.h>

using RegexExtract::Rule;

namespace {

Rule valueRule(const std::string& pattern, int index = 1, const char* thousands = ".", const char* decimal = ",")
{
    Rule rule;
    rule.pattern = pattern;
    rule.quotationIndex = index;
    rule.thousands = thousands;
    rule.decimal = decimal;
    return rule;
}

Rule dateRule(const std::string& pattern)
{
    Rule rule = valueRule(pattern);
    rule.extractDate = true;
    return rule;
}

class RegexExtractTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::setTimeZone("Europe/Berlin");
        m_reference = localTime(2023, 6, 15, 14, 37, 21);
    }
    TestEnvironment m_env;
    time_t m_reference = 0;

    std::tm partsOf(time_t time) const
    {
        std::tm parts{};
        localtime_r(&time, &parts);
        return parts;
    }
    // The month a capture written `month` gives on a page "<v> 1,5 <day>.<month>.2020".
    int monthFrom(const std::string& month)
    {
        const ExtractResult r = RegexExtract::extract("v 1,5 3." + month + ".2020",
                                                      dateRule("v ([0-9,]+) ([0-9]+)\\.(.*?)\\.([0-9]+)"), m_reference);
        EXPECT_EQ(r.status, ExtractStatus::QuotationFound) << r.excerpt;
        return partsOf(r.time).tm_mon + 1;
    }
    int yearFrom(const std::string& year)
    {
        const ExtractResult r = RegexExtract::extract(
            "v 1,5 3.4." + year + " ", dateRule("v ([0-9,]+) ([0-9]+)\\.([0-9]+)\\.([0-9]+)"), m_reference);
        EXPECT_EQ(r.status, ExtractStatus::QuotationFound) << r.excerpt;
        return partsOf(r.time).tm_year + 1900;
    }
};

} // namespace

TEST_F(RegexExtractTest, PresetPatternGivesPriceAndDateWithReferenceTimeOfDay)
{
    const std::string page = "\"SAP\",\"123,45\",\"24.12.2003\"\r\n\"BMW\",\"31,50\",\"23.12.2003\"\r\n";
    Rule rule = dateRule("BMW[\"',\\t\\r\\n]*([0-9,.]+)[\"',\\t\\r\\n]*([0-9]+).([0-9]+).([0-9]+)");
    const ExtractResult r = RegexExtract::extract(page, rule, m_reference);
    ASSERT_EQ(r.status, ExtractStatus::QuotationFound) << r.excerpt;
    EXPECT_DOUBLE_EQ(r.value, 31.5);
    EXPECT_EQ(r.time, localTime(2003, 12, 23, 14, 37, 0));
    EXPECT_TRUE(r.excerpt.empty());
}

TEST_F(RegexExtractTest, TimeIsRebuiltWithSecondsZeroEvenWithoutDateOrTime)
{
    const ExtractResult r = RegexExtract::extract("Kurs 12,5 EUR", valueRule("Kurs ([0-9,]+)"), m_reference);
    ASSERT_EQ(r.status, ExtractStatus::QuotationFound);
    EXPECT_EQ(r.time, localTime(2023, 6, 15, 14, 37, 0));
}

TEST_F(RegexExtractTest, HourAndMinuteComeFromTheirCapturesWithoutRangeCheck)
{
    Rule rule = valueRule("([0-9,]+) um ([0-9]+):([0-9]+)");
    rule.extractTime = true;
    rule.hourIndex = 2;
    rule.minuteIndex = 3;
    ExtractResult r = RegexExtract::extract("7,25 um 09:05", rule, m_reference);
    EXPECT_EQ(r.time, localTime(2023, 6, 15, 9, 5));
    // 25:70 is carried over by the calendar into the next day.
    r = RegexExtract::extract("7,25 um 25:70", rule, m_reference);
    EXPECT_EQ(r.time, localTime(2023, 6, 16, 2, 10));
}

TEST_F(RegexExtractTest, MonthNamesAndLeadingParts)
{
    EXPECT_EQ(monthFrom("Dez"), 12);
    EXPECT_EQ(monthFrom("mai"), 5);
    EXPECT_EQ(monthFrom("Sept"), 9);
    EXPECT_EQ(monthFrom("Ma"), 3);
    EXPECT_EQ(monthFrom(""), 1);
    EXPECT_EQ(monthFrom("outubro"), 10);
    EXPECT_EQ(monthFrom("07"), 7);
    EXPECT_EQ(monthFrom("13"), 6) << "an impossible month keeps the reference month";
    EXPECT_EQ(monthFrom("MÄRZ"), 3);
    EXPECT_EQ(monthFrom("março"), 3);
}

TEST_F(RegexExtractTest, MonthNameInWindows1252PageMatchesAfterConversion)
{
    ServerConfig rules = ServerConfig::newServerDefaults();
    rules.Filtering = 1;
    rules.RegExp = "v ([0-9,]+) ([0-9]+)\\. ([^ ]+) ([0-9]+)";
    rules.bRegExpExtractDate = 1;
    rules.TAUSEND = ".";
    rules.DECIMAL = ",";
    const ExtractResult r = QuotationExtractor::extractFromRawPage(rules, "v 1,5 3. M\xC4RZ 2020", m_reference);
    ASSERT_EQ(r.status, ExtractStatus::QuotationFound) << r.excerpt;
    EXPECT_EQ(r.time, localTime(2020, 3, 3, 14, 37));
    EXPECT_EQ(MonthNames::monthOf("M\xC3\x84RZ"), 3);
    EXPECT_EQ(MonthNames::monthOf("xyz"), 0);
}

TEST_F(RegexExtractTest, TwoDigitYears)
{
    EXPECT_EQ(yearFrom("03"), 2003);
    EXPECT_EQ(yearFrom("1999"), 1999);
    EXPECT_EQ(yearFrom("49"), 2049);
    EXPECT_EQ(yearFrom("50"), 1950);
    EXPECT_EQ(yearFrom("99"), 1999);
    EXPECT_EQ(yearFrom("150"), 2050);
}

TEST_F(RegexExtractTest, DayOutOfRangeKeepsReferenceDay)
{
    const ExtractResult r =
        RegexExtract::extract("v 1,5 32.4.2020", dateRule("v ([0-9,]+) ([0-9]+)\\.([0-9]+)\\.([0-9]+)"), m_reference);
    EXPECT_EQ(r.time, localTime(2020, 4, 15, 14, 37));
}

TEST_F(RegexExtractTest, ValueIsReadOnPastTheCapture)
{
    // The capture holds only "1", the parser reads the whole number from there.
    const ExtractResult r = RegexExtract::extract("Kurs 1.234,56 EUR", valueRule("Kurs ([0-9])"), m_reference);
    ASSERT_EQ(r.status, ExtractStatus::QuotationFound);
    EXPECT_DOUBLE_EQ(r.value, 1234.56);
}

TEST_F(RegexExtractTest, InvalidValueShowsTheCapture)
{
    ExtractResult r = RegexExtract::extract("Kurs - 5", valueRule("Kurs (- 5)"), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::InvalidValue);
    EXPECT_EQ(r.excerpt, "- 5");
    const std::string longText(60, 'x');
    r = RegexExtract::extract("Kurs " + longText, valueRule("Kurs (x+)"), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(r.excerpt, std::string(50, 'x') + " [...]");
}

TEST_F(RegexExtractTest, Messages)
{
    ExtractResult r = RegexExtract::extract("Kurs 5", valueRule("Kurs (5"), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::RegexCompileError);
    EXPECT_EQ(r.excerpt, "RegExp compilation failed at pos. 7: missing closing parenthesis");
    EXPECT_EQ(r.statusText(), "Error: Quotation not found!! (" + r.excerpt + ")");

    r = RegexExtract::extract("Kurs 5", valueRule("Preis ([0-9]+)"), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(r.excerpt, "No RegExp match found for 'Preis ([0-9]+)'");
    EXPECT_EQ(r.time, m_reference) << "the time stays unchanged without a match";

    r = RegexExtract::extract("Kurs 5", valueRule("Kurs ([0-9]+)", 2), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::MatchIndexMissing);
    EXPECT_EQ(r.excerpt, "RegExp Match index doesn't exist (max match index = 1).");
}

TEST_F(RegexExtractTest, DateIndicesCountOnlyWithTheDateFlag)
{
    Rule rule = valueRule("Kurs ([0-9]+)");
    rule.dayIndex = 7;
    EXPECT_EQ(RegexExtract::extract("Kurs 5 EUR", rule, m_reference).status, ExtractStatus::QuotationFound);
    rule.extractDate = true;
    EXPECT_EQ(RegexExtract::extract("Kurs 5 EUR", rule, m_reference).status, ExtractStatus::MatchIndexMissing);
    rule.extractDate = false;
    rule.extractTime = true;
    rule.hourIndex = 1;
    rule.minuteIndex = 4;
    EXPECT_EQ(RegexExtract::extract("Kurs 5 EUR", rule, m_reference).status, ExtractStatus::MatchIndexMissing);
}

TEST_F(RegexExtractTest, TwentyGroupsOverflowTheMatchVector)
{
    std::string pattern;
    std::string page;
    for (int i = 0; i < 20; ++i) {
        pattern += "([0-9])";
        page += std::to_string(i % 10);
    }
    page += " ";
    ExtractResult r = RegexExtract::extract(page, valueRule(pattern), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(r.excerpt, "RegExp output vector has space for only 19 captured substrings\r\n");
    // Nineteen groups still fit.
    pattern.resize(pattern.size() - 7);
    r = RegexExtract::extract(page, valueRule(pattern, 19), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationFound);
    EXPECT_DOUBLE_EQ(r.value, 89);
}

TEST_F(RegexExtractTest, CaseSensitivityAndNonAsciiFolding)
{
    Rule rule = valueRule("Last ([0-9]+)");
    rule.caseInsensitive = false;
    EXPECT_EQ(RegexExtract::extract("LAST 12 ", rule, m_reference).status, ExtractStatus::QuotationNotFound);
    rule.caseInsensitive = true;
    EXPECT_EQ(RegexExtract::extract("LAST 12 ", rule, m_reference).status, ExtractStatus::QuotationFound);
    // Characters, not bytes: "." takes the whole "Ä", and caseless matching folds it.
    rule.pattern = "k.rs ([0-9]+)";
    EXPECT_EQ(RegexExtract::extract("K\xC3\x84RS 12 ", rule, m_reference).status, ExtractStatus::QuotationFound);
    rule.pattern = "kärs ([0-9]+)";
    EXPECT_EQ(RegexExtract::extract("K\xC3\x84RS 12 ", rule, m_reference).status, ExtractStatus::QuotationFound);
}

TEST_F(RegexExtractTest, SubjectIncludesTheTerminatingZero)
{
    // "\x00" can only match the zero byte after the page.
    const ExtractResult r = RegexExtract::extract("Kurs 123", valueRule("Kurs ([0-9]+)\\x00"), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationFound);
    EXPECT_DOUBLE_EQ(r.value, 123);
    const auto location = RegexExtract::regexLocate("Kurs 123", "Kurs ([0-9]+)\\x00", true, 1);
    EXPECT_EQ(location.start, -1) << "the wizard entry's subject ends before the zero byte";
}

TEST_F(RegexExtractTest, UnsetCaptureIsNeverRead)
{
    // Group 2 takes no part, group 3 does: pair 2 is reported unset.
    Rule rule = dateRule("(7)(x)?(y)");
    rule.dayIndex = 2;
    rule.monthIndex = 3;
    rule.yearIndex = 1;
    ExtractResult r = RegexExtract::extract("7yy z", rule, m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationFound);
    EXPECT_EQ(partsOf(r.time).tm_mday, 15);
    rule.quotationIndex = 2;
    r = RegexExtract::extract("7yy z", rule, m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationNotFound);
}

TEST_F(RegexExtractTest, CatastrophicPatternStopsAtTheMatchLimit)
{
    const std::string page = std::string(40, 'a') + "!";
    const ExtractResult r = RegexExtract::extract(page, valueRule("(a+)+[bc]"), m_reference);
    EXPECT_EQ(r.status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(r.excerpt, "RegExp matching error -47");
}

TEST_F(RegexExtractTest, LongPatternMessageIsCutTo259Characters)
{
    const std::string pattern = "z" + std::string(300, 'y');
    const ExtractResult r = RegexExtract::extract("Kurs 1", valueRule(pattern), m_reference);
    EXPECT_EQ(r.excerpt.size(), 259u);
    EXPECT_EQ(r.excerpt.rfind("No RegExp match found for 'zyy", 0), 0u);
}

TEST_F(RegexExtractTest, WizardEntryReportsByteOffsetsAndCapture)
{
    const auto location = RegexExtract::regexLocate("\xC3\xA4\xC3\xA4 Kurs: 12", "(Kurs):", true, 1);
    EXPECT_EQ(location.status, ExtractStatus::QuotationFound);
    EXPECT_EQ(location.start, 5);
    EXPECT_EQ(location.length, 5u);
    EXPECT_EQ(location.capture, "Kurs");
    const auto missing = RegexExtract::regexLocate("Kurs: 12", "Kurs:", true, 1);
    EXPECT_EQ(missing.status, ExtractStatus::MatchIndexMissing);
    EXPECT_EQ(missing.message, "RegExp Match index doesn't exist (max match index = 0).");
}

TEST(RegexExtractCli, ExtractPrintsValueDateAndJsonTime)
{
    TestEnvironment env;
    const std::string page = env.writeFile("page.html", "<tr><td>BMW</td><td>31,50</td><td>23.12.2003</td></tr>");
    const QStringList args = {"extract",      QString::fromStdString(page),
                              "--format",     "2",
                              "--separators", "9.999,99",
                              "--regex",      "BMW ([0-9,]+) ([0-9]+)\\.([0-9]+)\\.([0-9]+)",
                              "--date",       "2,3,4",
                              "--reference",  "2024-01-10 09:15"};
    CliResult r = runCli(args, {"TZ=UTC", "LC_ALL=C"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Value: 31.5000\nDate/Time: 2003-12-23 09:15\n");
    r = runCli(args + QStringList{"--json"}, {"TZ=UTC", "LC_ALL=C"});
    EXPECT_NE(r.out.find("\"time\":1072170900"), std::string::npos) << r.out;

    r = runCli({"extract", QString::fromStdString(page), "--reference", "2024-13-01 00:00"});
    EXPECT_EQ(r.exitCode, 2);
    r = runCli({"extract", QString::fromStdString(page), "--regex", "BMW (", "--format", "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("Error: Quotation not found!! (RegExp compilation failed at pos. 5"), std::string::npos)
        << r.out;
}

TEST(parseNumberAt, AgreesWithTheParserOnTheWholeText)
{
    const std::vector<std::string> texts = {"1.234,56 EUR", "x 12", "12,", "1,5",    "-0,5% 7", "9 9.9,9 1.1.1 end 123",
                                            "1.234.567,8",  "+",    "- 5", "0,00 x", "123",     "1 000 000,5 a"};
    const std::vector<std::pair<std::string, std::string>> separators = {
        {".", ","}, {",", "."}, {"", "."}, {" ", ","}, {"", ","}};
    for (const std::string& text : texts)
        for (const auto& [thousands, decimal] : separators)
            for (size_t start = 0; start <= text.size(); ++start) {
                double expected = -1;
                double actual = -2;
                const ExtractStatus expectedStatus =
                    parseQuotationNumber(text.c_str() + start, thousands, decimal, expected);
                const ExtractStatus actualStatus = RegexExtract::parseNumberAt(text, start, thousands, decimal, actual);
                ASSERT_EQ(actualStatus, expectedStatus) << text << " @" << start << " '" << thousands << "'";
                ASSERT_EQ(actual, expected) << text << " @" << start;
            }
}

TEST(RegexWorkBound, ABacktrackingPatternOverManyStartPositionsEndsWithTheMatchingError)
{
    // Every start position costs about the cube of its digit run; unbounded this takes minutes.
    std::string page;
    while (page.size() < 256 * 1024)
        page += std::string(100, '7') + ' ';
    const ExtractResult result =
        RegexExtract::extract(PageText::forSearch(page), valueRule("(\\d+)(\\d+)(\\d+)\\s\\s"), 0);
    EXPECT_EQ(result.status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(result.excerpt, "RegExp matching error -47");
    EXPECT_EQ(RegexExtract::regexLocate("(a+)+b", "(", true, 0).message,
              "RegExp compilation failed at pos. 1: missing closing parenthesis");
}

TEST(RegexWorkBound, TheBudgetIsHalfASecondAndHalfASecondPerMebibyte)
{
    using std::chrono::milliseconds;
    const std::pair<size_t, milliseconds> budgets[] = {{0, milliseconds(500)},
                                                       {512 * 1024, milliseconds(750)},
                                                       {1024 * 1024, milliseconds(1000)},
                                                       {10 * 1024 * 1024, milliseconds(5500)}};
    for (const auto& [bytes, budget] : budgets)
        EXPECT_EQ(std::chrono::duration_cast<milliseconds>(Pcre2Regex::workFor(bytes)), budget) << bytes;
}

TEST(RegexWorkBound, AnAbortOrAPassedDeadlineEndsTheSearchWithTheMatchingError)
{
    // Slow at every start position but within the match limit: only the bounds can end it.
    std::string page;
    while (page.size() < 1024 * 1024)
        page += "123456789" + std::string(991, '0') + "x";
    page += "P";
    ExtractionLimits aborted;
    aborted.aborted = [] { return true; };
    ExtractionLimits passed;
    passed.deadline = std::chrono::steady_clock::now();
    for (const ExtractionLimits& limits : {aborted, passed}) {
        const ExtractResult result =
            RegexExtract::extract(PageText::forSearch(page), valueRule("([0-9]+)([0-9]+)P"), 0, limits);
        EXPECT_EQ(result.excerpt, "RegExp matching error -47");
    }
}
