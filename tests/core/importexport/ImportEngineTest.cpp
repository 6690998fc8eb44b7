// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/ImportEngine.h"
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/extract/ExtractResult.h"
#include "core/extract/PageText.h"

#include <gtest/gtest.h>

using ImportEngine::Gathered;

namespace {

const char* const kGermanFormat = "[&day].[&month].[&year];[&dummyvalue];[&value]";

ImportEngine::Rule rule(const std::string& format, const char* thousands = "", const char* decimal = ".",
                        const std::string& symbol = "")
{
    ImportEngine::Rule r;
    r.pattern = ImportPattern::translate(format, thousands, decimal, symbol);
    r.thousands = thousands;
    r.decimal = decimal;
    return r;
}

class ImportEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::setTimeZone("Europe/Berlin");
        m_today = localTime(2023, 2, 10, 9, 30);
    }
    Gathered run(const std::string& text, const ImportEngine::Rule& r) const
    {
        return ImportEngine::runOnText(text, r, m_today);
    }
    Gathered runFile(const std::string& path, const ImportEngine::Rule& r) const
    {
        const Result<Gathered> gathered = ImportEngine::run(path, r, m_today);
        EXPECT_TRUE(gathered) << gathered.message();
        return gathered ? *gathered : Gathered{};
    }
    TestEnvironment m_env;
    time_t m_today = 0;
};

} // namespace

TEST(ImportPattern, DefaultFormatTranslation)
{
    const ImportPattern p = ImportPattern::translate(ImportPattern::kDefaultFormat, "", ".", "");
    EXPECT_EQ(p.pattern,
              "[ ]*([0-9]+)-([0-9]+|jan|january|januar|janeiro|feb|fev|february|februar|fevereiro|mar|mär|march|"
              "märz|março|apr|abr|april|abril|may|mai|maio|jun|june|juni|junho|jul|july|juli|julho|aug|ago|"
              "august|agosto|sep|set|september|setembro|oct|okt|out|october|oktober|outubro|nov|november|"
              "novembro|dec|dez|december|dezember|dezembro)-([0-9]+),[0-9.]+,[0-9.]+,[0-9.]+,[0-9.]+,[0-9.]+,"
              "([0-9.]+)");
    EXPECT_EQ(p.dayIndex, 1);
    EXPECT_EQ(p.monthIndex, 2);
    EXPECT_EQ(p.yearIndex, 3);
    EXPECT_EQ(p.valueIndex, 4);
    EXPECT_EQ(p.hourIndex, -1);
    EXPECT_EQ(p.minuteIndex, -1);
}

TEST(ImportPattern, IndicesFollowFirstOccurrencesAndEveryOccurrenceIsReplaced)
{
    const ImportPattern p =
        ImportPattern::translate("[&symbol] [&value] [&dummyvalue] [&hour]:[&minute] [&value] [&day]", ".", ",", "S.A");
    EXPECT_EQ(p.valueIndex, 1);
    EXPECT_EQ(p.hourIndex, 2);
    EXPECT_EQ(p.minuteIndex, 3);
    EXPECT_EQ(p.dayIndex, 4);
    EXPECT_EQ(p.monthIndex, -1);
    EXPECT_EQ(p.pattern, "S.A ([0-9.,]+) [0-9.,]+ [ ]*([0-9]+):([0-9]+) ([0-9.,]+) [ ]*([0-9]+)");
}

TEST_F(ImportEngineTest, InitialFormatReadsDayMonthNameAndTwoDigitYear)
{
    const Gathered r = runFile(testDataPath("import/dd_mon_yy.csv"), rule(ImportPattern::kDefaultFormat));
    ASSERT_EQ(r.quotations.size(), 3u) << r.message;
    EXPECT_EQ(r.quotations[0], (Quotation{localTime(2004, 1, 5, 20, 0), 10.8}));
    EXPECT_EQ(r.quotations[1], (Quotation{localTime(2004, 1, 2, 20, 0), 10.4}));
    EXPECT_EQ(r.quotations[2], (Quotation{localTime(2003, 12, 31, 20, 0), 10.1}));
    EXPECT_EQ(r.status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(r.message, "No match found!");
}

TEST_F(ImportEngineTest, RealWorldLayouts)
{
    Gathered r = runFile(testDataPath("import/iso_dates.csv"),
                         rule("[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]"));
    ASSERT_EQ(r.quotations.size(), 2u);
    EXPECT_EQ(r.quotations[1], (Quotation{localTime(2004, 1, 2, 20, 0), 10.4}));

    // Windows-1252 file: "März" still matches the month alternation.
    r = runFile(testDataPath("import/german_semicolon_cp1252.csv"), rule(kGermanFormat, ".", ","));
    ASSERT_EQ(r.quotations.size(), 3u) << r.message;
    EXPECT_EQ(r.quotations[0], (Quotation{localTime(2004, 1, 5, 20, 0), 12.34}));
    EXPECT_EQ(r.quotations[1], (Quotation{localTime(2004, 1, 2, 20, 0), 1234.5}));
    EXPECT_EQ(r.quotations[2], (Quotation{localTime(2004, 3, 3, 20, 0), 9.5}));
}

TEST_F(ImportEngineTest, ThirdPartyCsvFiles)
{
    const ImportEngine::Rule close = rule("[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]");
    Gathered r = runFile(realDataPath("yahoo_tablecsv_orcl_2000.csv"), close);
    ASSERT_EQ(r.quotations.size(), 252u);
    EXPECT_EQ(r.quotations.front(), (Quotation{localTime(2000, 12, 29, 20, 0), 29.06}));
    EXPECT_EQ(r.quotations.back().time, localTime(2000, 1, 3, 20, 0));
    for (size_t i = 1; i < r.quotations.size(); ++i)
        ASSERT_LT(r.quotations[i].time, r.quotations[i - 1].time) << "newest first, as in the file";

    r = runFile(realDataPath("yahoo_v7_download_tsla.csv"), close);
    ASSERT_EQ(r.quotations.size(), 5u);
    EXPECT_EQ(r.quotations.front(), (Quotation{localTime(2021, 1, 4, 20, 0), 729.77002}));
}

TEST_F(ImportEngineTest, MissingPartsKeepTheStartOrThePreviousValue)
{
    // Without a day every quotation falls on the 30th, February carried into March.
    Gathered r = run("x 02-2004 1.5\nx 04-2004 2.5\n", rule("x [&month]-[&year] [&value]"));
    ASSERT_EQ(r.quotations.size(), 2u);
    EXPECT_EQ(r.quotations[0].time, localTime(2004, 3, 1, 20, 0));
    EXPECT_EQ(r.quotations[1].time, localTime(2004, 4, 30, 20, 0));
    // Without month and year today's are taken; a day out of range keeps the previous day.
    r = run("d 5 1.5\nd 0 2.5\n", rule("d [&day] [&value]"));
    ASSERT_EQ(r.quotations.size(), 2u);
    EXPECT_EQ(r.quotations[0].time, localTime(2023, 2, 5, 20, 0));
    EXPECT_EQ(r.quotations[1].time, localTime(2023, 2, 5, 20, 0));
    // Hour and minute come in without range check.
    r = run("5.1.2004 9:75 1.5\n", rule("[&day].[&month].[&year] [&hour]:[&minute] [&value]"));
    ASSERT_EQ(r.quotations.size(), 1u);
    EXPECT_EQ(r.quotations[0].time, localTime(2004, 1, 5, 10, 15));
}

TEST_F(ImportEngineTest, SeparatorsAndMonthNames)
{
    Gathered r = run("v 1.234,5 x\n", rule("v [&value] ", ".", ","));
    ASSERT_EQ(r.quotations.size(), 1u);
    EXPECT_DOUBLE_EQ(r.quotations[0].value, 1234.5);
    r = run("v 1.234,5 x\n", rule("v [&value]", "", "."));
    ASSERT_EQ(r.quotations.size(), 1u);
    EXPECT_DOUBLE_EQ(r.quotations[0].value, 1.234);
    r = run("1 dezembro 2004 5.25\n", rule("[&day] [&month] [&year] [&value]"));
    ASSERT_EQ(r.quotations.size(), 1u);
    EXPECT_EQ(r.quotations[0].time, localTime(2004, 12, 1, 20, 0));
}

TEST_F(ImportEngineTest, CaseSensitiveFormatMissesCapitalMonthNames)
{
    ImportEngine::Rule r = rule(ImportPattern::kDefaultFormat);
    const std::string line = "05-JAN-04,1,1,1,1,1,10.8\n";
    EXPECT_EQ(run(line, r).quotations.size(), 1u);
    r.caseInsensitive = false;
    EXPECT_TRUE(run(line, r).quotations.empty());
}

TEST_F(ImportEngineTest, EngineMovesOnByTheEndOfTheLastReportedPair)
{
    // Matches overlap: the next search starts right after the value, not after the whole match.
    const Gathered r = run("1,2,3,4", rule("[&value],[0-9]+"));
    ASSERT_EQ(r.quotations.size(), 3u);
    EXPECT_DOUBLE_EQ(r.quotations[2].value, 3);
}

TEST_F(ImportEngineTest, FailuresKeepWhatWasGathered)
{
    Gathered r = run("v 1.5 \nv .. \nv 2.5 \n", rule("v [&value] "));
    ASSERT_EQ(r.quotations.size(), 1u);
    EXPECT_EQ(r.status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(r.message, "..");

    r = run("d 5 1.5\n", rule("d [&day] [0-9.]+"));
    EXPECT_TRUE(r.quotations.empty());
    EXPECT_EQ(r.status, ExtractStatus::MatchIndexMissing);
    EXPECT_EQ(r.message, "Quotation value match place holder missing!");

    r = run("v 1.5 \n", rule("v [&value"));
    EXPECT_EQ(r.status, ExtractStatus::RegexCompileError);
    EXPECT_EQ(r.message.rfind("RegExp compilation failed at pos. ", 0), 0u) << r.message;

    r = run("", rule(ImportPattern::kDefaultFormat));
    EXPECT_TRUE(r.quotations.empty());
    EXPECT_EQ(r.message, "No match found!");
    r = run("nothing, here\n", rule(ImportPattern::kDefaultFormat));
    EXPECT_EQ(r.message, "No match found!");

    const Result<Gathered> missing =
        ImportEngine::run(m_env.path("missing.csv"), rule(ImportPattern::kDefaultFormat), m_today);
    EXPECT_EQ(missing.status().code(), Status::Code::FileError);
    EXPECT_EQ(missing.message(), "Could not open file!\n");
    EXPECT_EQ(ImportEngine::errorText("a.csv", missing.message()),
              "Error importing quotations from file \"a.csv\":\nCould not open file!\n");
}

TEST_F(ImportEngineTest, PatternsMatchingTheEmptyStringStillEnd)
{
    Gathered r = run("abc 1.5\n", rule("x*"));
    EXPECT_EQ(r.message, "Quotation value match place holder missing!");
    r = run("abc 1.5\n", rule("(?:[&value])?"));
    EXPECT_EQ(r.message, "RegExp Match index doesn't exist (max match index = 0).");
    r = run("abc 1.5 2.5\n", rule("(?=[&value])"));
    ASSERT_EQ(r.quotations.size(), 2u);
    EXPECT_DOUBLE_EQ(r.quotations[1].value, 2.5);
}

TEST_F(ImportEngineTest, CatastrophicPatternReportsTheMatchLimit)
{
    const Gathered r = run(std::string(40, 'a') + "!", rule("(a+)+[bc][&value]"));
    EXPECT_TRUE(r.quotations.empty());
    EXPECT_EQ(r.message, "RegExp matching error -47");
}

TEST_F(ImportEngineTest, HundredThousandLinesInFileOrder)
{
    std::string text = "Date,Open,High,Low,Close,Volume,Adj Close\n";
    const time_t first = localTime(2037, 12, 31);
    for (int i = 0; i < 100000; ++i) {
        const time_t day = first - static_cast<time_t>(i) * 86400 / 8;
        std::tm parts{};
        localtime_r(&day, &parts);
        char line[128];
        std::snprintf(line, sizeof line, "%04d-%02d-%02d,1.0,2.0,0.5,%d.25,100,1.0\n", parts.tm_year + 1900,
                      parts.tm_mon + 1, parts.tm_mday, i);
        text += line;
    }
    const std::string path = m_env.writeFile("big.csv", text);
    const Gathered r =
        runFile(path, rule("[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]"));
    ASSERT_EQ(r.quotations.size(), 100000u);
    for (int i = 0; i < 100000; i += 9973)
        EXPECT_DOUBLE_EQ(r.quotations[i].value, i + 0.25);
    EXPECT_DOUBLE_EQ(r.quotations.back().value, 99999.25);
    EXPECT_EQ(r.quotations.front().time, localTime(2037, 12, 31, 20, 0));
}

TEST_F(ImportEngineTest, ConfirmationQuestionShowsFirstAndLast)
{
    TestEnvironment::setLocale("C");
    const std::vector<Quotation> quotations = {{localTime(2004, 1, 5, 20, 0), 10.8},
                                               {localTime(2004, 1, 2, 20, 0), 1234.5}};
    EXPECT_EQ(ImportEngine::confirmationQuestion(quotations),
              "Import engine found 2 quotations in file:\n\nMon Jan  5 20:00:00 2004  10.8000\n...\n"
              "Fri Jan  2 20:00:00 2004  1234.5000\n\nAdd quotations to item?");
}

TEST(ImportCli, PrintsQuotationsAndMessages)
{
    TestEnvironment env;
    const QStringList environment = {"TZ=UTC", "LC_ALL=C"};
    const QString file = QString::fromStdString(testDataPath("import/dd_mon_yy.csv"));
    CliResult r = runCli({"import", file}, environment);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2004-01-05 20:00;10.8000\n2004-01-02 20:00;10.4000\n2003-12-31 20:00;10.1000\n");
    EXPECT_EQ(r.err, "") << "the engine's normal end is no news after quotations";

    r = runCli({"import", QString::fromStdString(testDataPath("import/german_semicolon_cp1252.csv")), "--format",
                kGermanFormat, "--separators", "9.999,99", "--json"},
               environment);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"value\":1234.5"), std::string::npos) << r.out;

    r = runCli({"import", file, "--format", "[&day] [&value]"}, environment);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error importing quotations from file \"" + file.toStdString() + "\":\nNo match found!\n");
    r = runCli({"import", QString::fromStdString(env.path("none.csv"))}, environment);
    EXPECT_EQ(r.exitCode, 3);
    r = runCli({"import", file, "--separators", "x"}, environment);
    EXPECT_EQ(r.exitCode, 2);
}

TEST(ImportCli, ValuesPrintAsPrintfWouldUnderTheLocale)
{
    TestEnvironment env;
    const std::vector<std::string> values = {"0.00005", "2.00015", "123456789.12345", "0.99999", "7"};
    std::string text;
    std::string expected;
    for (const std::string& value : values) {
        text += "05-Jan-04,1,1,1,1,1," + value + "\n";
        char line[128];
        std::snprintf(line, sizeof line, "2004-01-05 20:00;%.4f\n", std::stod(value));
        expected += line;
    }
    // A number of one or two characters right at the end of the file is not read: the file goes on.
    const QString file = QString::fromStdString(env.writeFile("values.csv", text + "end\n"));
    CliResult r = runCli({"import", file}, {"TZ=UTC", "LC_ALL=C"});
    EXPECT_EQ(r.out, expected);

    if (!TestEnvironment::setLocale("de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    r = runCli({"import", file}, {"TZ=UTC", "LC_ALL=de_DE.UTF-8"});
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "2004-01-05 20:00;0,0001");
}

TEST_F(ImportEngineTest, PlaceholdersSideBySideEndWithTheMatchingErrorInsteadOfRunningForMinutes)
{
    std::string text;
    while (text.size() < 256 * 1024)
        text += std::string(100, '7') + '\n';
    ImportEngine::Rule sideBySide = rule("[&value]");
    // What placeholders side by side become: runs that can split a number every way.
    sideBySide.pattern.pattern = "([0-9]+)([0-9]+)([0-9]+)\\s\\s";
    const Gathered gathered = run(PageText::forSearch(text), sideBySide);
    EXPECT_EQ(gathered.message, "RegExp matching error -47");
}
