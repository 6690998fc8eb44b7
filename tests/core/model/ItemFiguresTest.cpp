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
    EXPECT_FALSE(item.GetLastTime());
    EXPECT_EQ(CWPapier::noQuotationTime(), localTime(1975, 1, 23));
    EXPECT_FALSE(item.GetFirstTime());
    EXPECT_FALSE(item.GetLastValue());
    EXPECT_FALSE(item.GetLowHigh());
    EXPECT_FALSE(item.GetTotalChangePercent());
    EXPECT_FALSE(item.GetLastChange(true));
    EXPECT_FALSE(item.GetReferenceTime(false));
    EXPECT_EQ(CWPapier::noReferenceTime(), localTime(1980, 1, 1));
}

TEST_F(ItemFigures, SingleRecordHasNoChangesAndEqualLowHigh)
{
    const CWPapier item = itemWith({{1000, 12.5}});
    EXPECT_EQ(item.GetLastChangePercent(false), 0.0);
    EXPECT_EQ(item.GetLastChangePercent(true), 0.0);
    EXPECT_EQ(item.GetTotalChangePercent(), 0.0);
    ASSERT_TRUE(item.GetLowHigh());
    EXPECT_EQ(item.GetLowHigh()->low, 12.5);
    EXPECT_EQ(item.GetLowHigh()->high, 12.5);
    EXPECT_FALSE(item.GetReferenceTime(true));
}

TEST_F(ItemFigures, DayChangeNeedsTenHoursDistance)
{
    const time_t base = localTime(2024, 5, 6, 8, 0);
    const CWPapier tooClose = itemWith({{base, 10.0}, {base + 9 * 3600 + 59 * 60, 11.0}});
    EXPECT_EQ(tooClose.GetLastChangePercent(true), 0.0);
    EXPECT_EQ(tooClose.GetReferenceTime(true), base)
        << "without a record ten hours older the oldest record's time is returned";

    const CWPapier tenHours = itemWith({{base, 10.0}, {base + 36000, 11.0}});
    ASSERT_TRUE(tenHours.GetLastChangePercent(true));
    EXPECT_NEAR(*tenHours.GetLastChangePercent(true), 10.0, 1e-12);
    ASSERT_TRUE(tenHours.GetLastChange(true));
    EXPECT_DOUBLE_EQ(*tenHours.GetLastChange(true), 1.0);
}

TEST_F(ItemFigures, DayChangeTakesTheNewestRecordTenHoursOlder)
{
    const time_t t = localTime(2024, 5, 6, 18, 0);
    const CWPapier item = itemWith({{t - 48 * 3600, 5.0}, {t - 24 * 3600, 8.0}, {t - 3600, 9.0}, {t, 10.0}});
    EXPECT_DOUBLE_EQ(item.GetLastChangePercent(true).value_or(0), 25.0);
    EXPECT_NEAR(item.GetLastChangePercent(false).value_or(0), 100.0 / 9.0, 1e-12);
    EXPECT_EQ(item.GetReferenceTime(true), t - 24 * 3600);
    EXPECT_EQ(item.GetReferenceTime(false), t - 3600);
}

TEST_F(ItemFigures, ChangesGuardAgainstZeroAndEqualReferences)
{
    const CWPapier fromZero = itemWith({{100, 0.0}, {200, 5.0}});
    EXPECT_EQ(fromZero.GetTotalChangePercent(), 0.0);
    EXPECT_EQ(fromZero.GetLastChangePercent(false), 0.0);
    EXPECT_EQ(fromZero.GetLastChange(false), 0.0) << "a zero reference gives no difference either";
    EXPECT_EQ(fromZero.GetTotalChange(), 5.0);

    const CWPapier flat = itemWith({{100, 3.0}, {200, 3.0}});
    EXPECT_EQ(flat.GetLastChangePercent(false), 0.0);

    const CWPapier falling = itemWith({{100, 4.0}, {200, 3.0}});
    EXPECT_DOUBLE_EQ(falling.GetLastChangePercent(false).value_or(0), -25.0);
    EXPECT_DOUBLE_EQ(falling.GetTotalChange().value_or(0), -1.0);
}

TEST_F(ItemFigures, CompareItemsFallsBackToCaseInsensitiveName)
{
    const CWPapier alpha = itemWith({{100, 7.0}}, "alpha");
    const CWPapier beta = itemWith({{100, 7.0}}, "Beta");
    EXPECT_EQ(alpha.CompareItems(beta, CWPapier::SortKey::Value), -1);
    EXPECT_EQ(beta.CompareItems(alpha, CWPapier::SortKey::Value), 1);
    EXPECT_EQ(alpha.CompareItems(beta, CWPapier::SortKey::Name), -1);
    const CWPapier bigger = itemWith({{100, 8.0}}, "aaa");
    EXPECT_EQ(bigger.CompareItems(beta, CWPapier::SortKey::Value), 1);
    EXPECT_EQ(alpha.CompareItems(beta, static_cast<CWPapier::SortKey>(9)), 0);
    EXPECT_EQ(alpha.CompareItems(beta, static_cast<CWPapier::SortKey>(-1)), 0);
}

TEST_F(ItemFigures, CompareItemsByInvestedAmountUsesQuantity)
{
    CWPapier few = itemWith({{100, 100.0}}, "few");
    few.quantity = 1;
    CWPapier many = itemWith({{100, 10.0}}, "many");
    many.quantity = 50;
    EXPECT_EQ(few.CompareItems(many, CWPapier::SortKey::Invested), -1);
    EXPECT_EQ(many.CompareItems(few, CWPapier::SortKey::Invested), 1);
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
