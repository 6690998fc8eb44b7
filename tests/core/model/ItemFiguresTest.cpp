#include "TestEnvironment.h"
#include "core/model/CWPapier.h"

#include <gtest/gtest.h>

namespace {

CWPapier itemWith(std::initializer_list<CKurs> quotations, const char* name = "Item")
{
    CWPapier item;
    item.name = name;
    for (const CKurs& k : quotations)
        item.AddQuotation(k.time, k.value);
    return item;
}

class ItemFigures : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment::setTimeZone("Europe/Berlin"); }
    TestEnvironment m_env;
};

} // namespace

TEST_F(ItemFigures, EmptyHistoryGivesNeutralValuesAndSentinelTimes)
{
    const CWPapier item;
    time_t time = 0;
    double a = 1, b = 1;
    EXPECT_FALSE(item.GetLastTime(time));
    EXPECT_EQ(time, localTime(1975, 1, 23));
    EXPECT_FALSE(item.GetFirstTime(time));
    EXPECT_EQ(time, localTime(1975, 1, 23));
    EXPECT_FALSE(item.GetLastValue(a));
    EXPECT_EQ(a, 0.0);
    EXPECT_FALSE(item.GetLowHigh(a, b));
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(b, 0.0);
    EXPECT_FALSE(item.GetTotalChangePercent(a));
    EXPECT_FALSE(item.GetLastChange(true, a));
    EXPECT_FALSE(item.GetReferenceTime(false, time));
    EXPECT_EQ(time, localTime(1980, 1, 1));
}

TEST_F(ItemFigures, SingleRecordHasNoChangesAndEqualLowHigh)
{
    const CWPapier item = itemWith({{1000, 12.5}});
    double value = -1, low = 0, high = 0;
    EXPECT_TRUE(item.GetLastChangePercent(false, value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(item.GetLastChangePercent(true, value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(item.GetTotalChangePercent(value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(item.GetLowHigh(low, high));
    EXPECT_EQ(low, 12.5);
    EXPECT_EQ(high, 12.5);
    time_t time = 0;
    EXPECT_FALSE(item.GetReferenceTime(true, time));
}

TEST_F(ItemFigures, DayChangeNeedsTenHoursDistance)
{
    const time_t base = localTime(2024, 5, 6, 8, 0);
    const CWPapier tooClose = itemWith({{base, 10.0}, {base + 9 * 3600 + 59 * 60, 11.0}});
    double percent = -1;
    EXPECT_TRUE(tooClose.GetLastChangePercent(true, percent));
    EXPECT_EQ(percent, 0.0);
    time_t reference = 0;
    EXPECT_TRUE(tooClose.GetReferenceTime(true, reference));
    EXPECT_EQ(reference, base) << "without a record ten hours older the oldest record's time is returned";

    const CWPapier tenHours = itemWith({{base, 10.0}, {base + 36000, 11.0}});
    EXPECT_TRUE(tenHours.GetLastChangePercent(true, percent));
    EXPECT_NEAR(percent, 10.0, 1e-12);
    double diff = 0;
    EXPECT_TRUE(tenHours.GetLastChange(true, diff));
    EXPECT_DOUBLE_EQ(diff, 1.0);
}

TEST_F(ItemFigures, DayChangeTakesTheNewestRecordTenHoursOlder)
{
    const time_t t = localTime(2024, 5, 6, 18, 0);
    const CWPapier item = itemWith({{t - 48 * 3600, 5.0}, {t - 24 * 3600, 8.0}, {t - 3600, 9.0}, {t, 10.0}});
    double percent = 0;
    item.GetLastChangePercent(true, percent);
    EXPECT_DOUBLE_EQ(percent, 25.0);
    item.GetLastChangePercent(false, percent);
    EXPECT_NEAR(percent, 100.0 / 9.0, 1e-12);
    time_t reference = 0;
    item.GetReferenceTime(true, reference);
    EXPECT_EQ(reference, t - 24 * 3600);
    item.GetReferenceTime(false, reference);
    EXPECT_EQ(reference, t - 3600);
}

TEST_F(ItemFigures, ChangesGuardAgainstZeroAndEqualReferences)
{
    const CWPapier fromZero = itemWith({{100, 0.0}, {200, 5.0}});
    double value = -1;
    fromZero.GetTotalChangePercent(value);
    EXPECT_EQ(value, 0.0);
    fromZero.GetLastChangePercent(false, value);
    EXPECT_EQ(value, 0.0);
    fromZero.GetLastChange(false, value);
    EXPECT_EQ(value, 0.0) << "a zero reference gives no difference either";
    fromZero.GetTotalChange(value);
    EXPECT_EQ(value, 5.0);

    const CWPapier flat = itemWith({{100, 3.0}, {200, 3.0}});
    flat.GetLastChangePercent(false, value);
    EXPECT_EQ(value, 0.0);

    const CWPapier falling = itemWith({{100, 4.0}, {200, 3.0}});
    falling.GetLastChangePercent(false, value);
    EXPECT_DOUBLE_EQ(value, -25.0);
    falling.GetTotalChange(value);
    EXPECT_DOUBLE_EQ(value, -1.0);
}

TEST_F(ItemFigures, CompareItemsFallsBackToCaseInsensitiveName)
{
    const CWPapier alpha = itemWith({{100, 7.0}}, "alpha");
    const CWPapier beta = itemWith({{100, 7.0}}, "Beta");
    EXPECT_EQ(alpha.CompareItems(beta, CWPapier::LastValue), -1);
    EXPECT_EQ(beta.CompareItems(alpha, CWPapier::LastValue), 1);
    EXPECT_EQ(alpha.CompareItems(beta, CWPapier::Name), -1);
    const CWPapier bigger = itemWith({{100, 8.0}}, "aaa");
    EXPECT_EQ(bigger.CompareItems(beta, CWPapier::LastValue), 1);
    EXPECT_EQ(alpha.CompareItems(beta, 9), 0);
    EXPECT_EQ(alpha.CompareItems(beta, -1), 0);
}

TEST_F(ItemFigures, CompareItemsByInvestedAmountUsesQuantity)
{
    CWPapier few = itemWith({{100, 100.0}}, "few");
    few.quantity = 1;
    CWPapier many = itemWith({{100, 10.0}}, "many");
    many.quantity = 50;
    EXPECT_EQ(few.CompareItems(many, CWPapier::Invested), -1);
    EXPECT_EQ(many.CompareItems(few, CWPapier::Invested), 1);
}

TEST_F(ItemFigures, NewItemAndHistoryItemDefaults)
{
    const time_t now = 1700000000;
    const CWPapier item = CWPapier::newItem("Share", now, 15);
    EXPECT_EQ(item.name, "Share");
    EXPECT_TRUE(item.server.name.empty());
    EXPECT_EQ(item.server.URL, "http://www.");
    EXPECT_EQ(item.server.Timeout, 180);
    EXPECT_EQ(item.server.Text_before_Value, "[&symbol]");
    EXPECT_EQ(item.server.RegExp, "[&symbol][\"', \\t\\r\\n]*([0-9,]+)");
    EXPECT_EQ(item.server.TAUSEND, "");
    EXPECT_EQ(item.server.DECIMAL, "");
    EXPECT_EQ(item.server.NoCaseSensitiv, 1);
    EXPECT_EQ(item.periodEnd - item.periodStart, 31536000);
    EXPECT_EQ(item.chartColour, CWPapier::kChartColours[15 % 11]);
    EXPECT_EQ(item.chartColour, 0x7F7F7Fu);
    EXPECT_EQ(item.alarmDiffPercent, 20.0);
    EXPECT_EQ(item.isInvestedAmountHistory, 0);

    const CWPapier history = CWPapier::newInvestedAmountHistory(now);
    EXPECT_EQ(history.name, " Invested Amount History");
    EXPECT_EQ(history.server.name, "-- User defined --");
    EXPECT_EQ(history.chartColour, 0u);
    EXPECT_EQ(history.isInvestedAmountHistory, 1);
    EXPECT_EQ(history.server.RegExpMinuteIndex, 6);
}
