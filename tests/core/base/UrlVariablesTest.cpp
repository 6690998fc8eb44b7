// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/UrlVariables.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace UrlVariables;

namespace {

class DateVariables : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment::setTimeZone("Europe/Berlin"); }
    TestEnvironment m_env;
};

const char* const kFullTemplate = "q?d=[&d].[&m].[&y]&t=[&h]:[&min]&w=[&dw]&ms=[&mstr]";

} // namespace

TEST(ItemVariables, FirstOccurrenceOfEachIsReplacedVerbatim)
{
    auto s = substituteItemVariables("a[&name]b[&name]", "X", "S");
    EXPECT_EQ(s.text, "aXb[&name]");
    EXPECT_TRUE(s.changed);
    s = substituteItemVariables("q=[&symbol]&n=[&name]", "A & B Fund", "710000.F");
    EXPECT_EQ(s.text, "q=710000.F&n=A & B Fund");
    s = substituteItemVariables("[&name]", "has [&symbol] inside", "SYM");
    EXPECT_EQ(s.text, "has SYM inside") << "the symbol pass searches the result of the name pass";
    s = substituteItemVariables("[&NAME] [&Symbol]", "x", "y");
    EXPECT_EQ(s.text, "[&NAME] [&Symbol]");
    EXPECT_FALSE(s.changed);
}

TEST(ItemVariables, OverlongResultIsReported)
{
    const auto fits = substituteItemVariables("x[&symbol]", std::string(), std::string(258, 's'));
    EXPECT_FALSE(fits.tooLong);
    const auto tooLong = substituteItemVariables("xy[&symbol]", std::string(), std::string(258, 's'));
    EXPECT_TRUE(tooLong.tooLong);
}

TEST_F(DateVariables, WithoutVariablesNothingChanges)
{
    time_t reference = localTime(2004, 3, 1, 9, 5);
    const time_t before = reference;
    const auto s = substituteDateVariables("http://example.com/[&D]/x", reference, 2);
    EXPECT_EQ(s.text, "http://example.com/[&D]/x");
    EXPECT_FALSE(s.changed);
    EXPECT_EQ(reference, before);
}

TEST_F(DateVariables, EveryVariableOnAMonday)
{
    time_t reference = localTime(2004, 3, 1, 9, 5);
    const auto s = substituteDateVariables(kFullTemplate, reference, 0);
    EXPECT_EQ(s.text, "q?d=01.03.2004&t=09:05&w=1&ms=mar");
    EXPECT_TRUE(s.changed);
}

TEST_F(DateVariables, OneDayShiftIsAppliedOnceAndMonthAndYearFollow)
{
    time_t reference = localTime(2004, 3, 1, 9, 5);
    const auto s = substituteDateVariables(kFullTemplate, reference, 1);
    EXPECT_EQ(s.text, "q?d=29.02.2004&t=09:05&w=0&ms=feb");
    EXPECT_EQ(reference, localTime(2004, 2, 29, 9, 5)) << "the caller's reference time moves";
}

TEST_F(DateVariables, HourShiftAndVariablesThatNeverShift)
{
    time_t reference = localTime(2004, 3, 1, 1, 30);
    EXPECT_EQ(substituteDateVariables("x[&h]y", reference, 2).text, "x23y");
    time_t other = localTime(2004, 3, 1, 1, 30);
    EXPECT_EQ(substituteDateVariables("x[&m][&y]", other, 5).text, "x032004");
    EXPECT_EQ(other, localTime(2004, 3, 1, 1, 30));
    time_t minutes = localTime(2004, 3, 1, 1, 30);
    EXPECT_EQ(substituteDateVariables("[&min]", minutes, 31).text, "59");
}

TEST_F(DateVariables, RepeatedVariablesAreAllReplacedWithOneShift)
{
    time_t reference = localTime(2004, 3, 10, 12, 0);
    EXPECT_EQ(substituteDateVariables("[&d][&d]-[&d]", reference, 1).text, "0909-09");
    time_t again = localTime(2004, 3, 10, 12, 0);
    EXPECT_EQ(substituteDateVariables("[&mstr][&m][&dw][&d]", again, 0).text, "mar03310");
}

TEST_F(DateVariables, WeekdayFilesFollowTheDay)
{
    time_t monday = localTime(2024, 1, 1, 10, 0);
    EXPECT_EQ(substituteDateVariables("file:///data/dws[&dw].asc", monday, 0).text, "file:///data/dws1.asc");
    time_t sunday = localTime(2024, 1, 7, 10, 0);
    EXPECT_EQ(substituteDateVariables("file:///data/dws[&dw].asc", sunday, 0).text, "file:///data/dws0.asc");
}

TEST_F(DateVariables, DayShiftAcrossDaylightSavingIsASubtractionOfSeconds)
{
    time_t reference = localTime(2024, 4, 1, 12, 0);
    const auto s = substituteDateVariables("[&d].[&m] [&h]", reference, 2);
    EXPECT_EQ(s.text, "30.03 11") << "48 hours before 12:00 CEST is 11:00 CET";
}

TEST_F(DateVariables, NowUsesTheCurrentTime)
{
    time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(substituteDateVariablesNow("[&y]", 0).text, std::to_string(local.tm_year + 1900));
}

TEST_F(DateVariables, PeriodVariablesGiveNumbersWithoutLeadingZeros)
{
    const time_t begin = localTime(2004, 3, 2, 12);
    const time_t end = localTime(2004, 12, 31, 12);
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"/table.csv?b=[&day_begin]&a=[&month_begin-1]&c=[&year_begin]&e=[&day_end]&d=[&month_end-1]&f=[&year_end]"
         "&g=d&ignore=.csv&s=[&symbol]",
         "/table.csv?b=2&a=2&c=2004&e=31&d=11&f=2004&g=d&ignore=.csv&s=[&symbol]"},
        {"[&month_begin]/[&month_end]", "3/12"},
        {"[&day_begin][&day_begin]-[&year_end][&year_end]", "22-20042004"},
        {"[&month_begin-1][&month_begin]", "23"},
        {"[&Day_begin][&d_begin]", "[&Day_begin][&d_begin]"},
    };
    for (const auto& c : cases) {
        const auto s = substitutePeriodVariables(c.text, begin, end);
        EXPECT_EQ(s.text, c.expected) << c.text;
        EXPECT_EQ(s.changed, std::string(c.text) != c.expected) << c.text;
    }
}

TEST_F(DateVariables, WebPageAddressPutsInTodayThenTheItem)
{
    const std::string year = substituteDateVariablesNow("[&y]", 0).text;
    const auto s = webPageAddress("http://q.example/[&y]/[&name]?s=[&symbol]&again=[&symbol]", "A & B", "7.F");
    EXPECT_EQ(s.text, "http://q.example/" + year + "/A & B?s=7.F&again=[&symbol]");
    EXPECT_TRUE(s.changed);
    EXPECT_FALSE(webPageAddress("http://q.example/", "A", "B").changed);
}
