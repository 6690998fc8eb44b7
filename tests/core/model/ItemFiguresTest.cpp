// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "core/model/PortfolioItem.h"

#include <gtest/gtest.h>

namespace {

PortfolioItem itemWith(std::initializer_list<Quotation> quotations, const char* name = "Item")
{
    PortfolioItem item;
    item.name = name;
    for (const Quotation& k : quotations)
        item.addQuotation(k.time, k.value);
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
    const PortfolioItem item;
    EXPECT_FALSE(item.lastTime());
    EXPECT_EQ(PortfolioItem::noQuotationTime(), localTime(1975, 1, 23));
    EXPECT_FALSE(item.firstTime());
    EXPECT_FALSE(item.lastValue());
    EXPECT_FALSE(item.lowHigh());
    EXPECT_FALSE(item.totalChangePercent());
    EXPECT_FALSE(item.lastChange(true));
    EXPECT_FALSE(item.referenceTime(false));
    EXPECT_EQ(PortfolioItem::noReferenceTime(), localTime(1980, 1, 1));
}

TEST_F(ItemFigures, SingleRecordHasNoChangesAndEqualLowHigh)
{
    const PortfolioItem item = itemWith({{1000, 12.5}});
    EXPECT_EQ(item.lastChangePercent(false), 0.0);
    EXPECT_EQ(item.lastChangePercent(true), 0.0);
    EXPECT_EQ(item.totalChangePercent(), 0.0);
    ASSERT_TRUE(item.lowHigh());
    EXPECT_EQ(item.lowHigh()->low, 12.5);
    EXPECT_EQ(item.lowHigh()->high, 12.5);
    EXPECT_FALSE(item.referenceTime(true));
}

TEST_F(ItemFigures, DayChangeNeedsTenHoursDistance)
{
    const time_t base = localTime(2024, 5, 6, 8, 0);
    const PortfolioItem tooClose = itemWith({{base, 10.0}, {base + 9 * 3600 + 59 * 60, 11.0}});
    EXPECT_EQ(tooClose.lastChangePercent(true), 0.0);
    EXPECT_EQ(tooClose.referenceTime(true), base)
        << "without a record ten hours older the oldest record's time is returned";

    const PortfolioItem tenHours = itemWith({{base, 10.0}, {base + 36000, 11.0}});
    ASSERT_TRUE(tenHours.lastChangePercent(true));
    EXPECT_NEAR(*tenHours.lastChangePercent(true), 10.0, 1e-12);
    ASSERT_TRUE(tenHours.lastChange(true));
    EXPECT_DOUBLE_EQ(*tenHours.lastChange(true), 1.0);
}

TEST_F(ItemFigures, DayChangeTakesTheNewestRecordTenHoursOlder)
{
    const time_t t = localTime(2024, 5, 6, 18, 0);
    const PortfolioItem item = itemWith({{t - 48 * 3600, 5.0}, {t - 24 * 3600, 8.0}, {t - 3600, 9.0}, {t, 10.0}});
    EXPECT_DOUBLE_EQ(item.lastChangePercent(true).value_or(0), 25.0);
    EXPECT_NEAR(item.lastChangePercent(false).value_or(0), 100.0 / 9.0, 1e-12);
    EXPECT_EQ(item.referenceTime(true), t - 24 * 3600);
    EXPECT_EQ(item.referenceTime(false), t - 3600);
}

TEST_F(ItemFigures, ChangesGuardAgainstZeroAndEqualReferences)
{
    const PortfolioItem fromZero = itemWith({{100, 0.0}, {200, 5.0}});
    EXPECT_EQ(fromZero.totalChangePercent(), 0.0);
    EXPECT_EQ(fromZero.lastChangePercent(false), 0.0);
    EXPECT_EQ(fromZero.lastChange(false), 0.0) << "a zero reference gives no difference either";
    EXPECT_EQ(fromZero.totalChange(), 5.0);

    const PortfolioItem flat = itemWith({{100, 3.0}, {200, 3.0}});
    EXPECT_EQ(flat.lastChangePercent(false), 0.0);

    const PortfolioItem falling = itemWith({{100, 4.0}, {200, 3.0}});
    EXPECT_DOUBLE_EQ(falling.lastChangePercent(false).value_or(0), -25.0);
    EXPECT_DOUBLE_EQ(falling.totalChange().value_or(0), -1.0);
}

TEST_F(ItemFigures, CompareItemsFallsBackToCaseInsensitiveName)
{
    const PortfolioItem alpha = itemWith({{100, 7.0}}, "alpha");
    const PortfolioItem beta = itemWith({{100, 7.0}}, "Beta");
    EXPECT_EQ(alpha.compareItems(beta, PortfolioItem::SortKey::Value), -1);
    EXPECT_EQ(beta.compareItems(alpha, PortfolioItem::SortKey::Value), 1);
    EXPECT_EQ(alpha.compareItems(beta, PortfolioItem::SortKey::Name), -1);
    const PortfolioItem bigger = itemWith({{100, 8.0}}, "aaa");
    EXPECT_EQ(bigger.compareItems(beta, PortfolioItem::SortKey::Value), 1);
    EXPECT_EQ(alpha.compareItems(beta, static_cast<PortfolioItem::SortKey>(9)), 0);
    EXPECT_EQ(alpha.compareItems(beta, static_cast<PortfolioItem::SortKey>(-1)), 0);
}

TEST_F(ItemFigures, CompareItemsByInvestedAmountUsesQuantity)
{
    PortfolioItem few = itemWith({{100, 100.0}}, "few");
    few.quantity = 1;
    PortfolioItem many = itemWith({{100, 10.0}}, "many");
    many.quantity = 50;
    EXPECT_EQ(few.compareItems(many, PortfolioItem::SortKey::Invested), -1);
    EXPECT_EQ(many.compareItems(few, PortfolioItem::SortKey::Invested), 1);
}

TEST_F(ItemFigures, NewItemAndHistoryItemDefaults)
{
    const time_t now = 1700000000;
    const PortfolioItem item = PortfolioItem::newItem("Share", now, 15);
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
    EXPECT_EQ(item.chartColour, PortfolioItem::kChartColours[15 % 11]);
    EXPECT_EQ(item.chartColour, 0x7F7F7Fu);
    EXPECT_EQ(item.alarmDiffPercent, 20.0);
    EXPECT_EQ(item.isInvestedAmountHistory, 0);

    const PortfolioItem history = PortfolioItem::newInvestedAmountHistory(now);
    EXPECT_EQ(history.name, " Invested Amount History");
    EXPECT_EQ(history.server.name, "-- User defined --");
    EXPECT_EQ(history.chartColour, 0u);
    EXPECT_EQ(history.isInvestedAmountHistory, 1);
    EXPECT_EQ(history.server.RegExpMinuteIndex, 6);
}
