// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/model/ItemAlarm.h"
#include "core/model/ItemFigures.h"
#include "core/model/ItemGain.h"
#include "core/model/PortfolioDocument.h"
#include "core/model/PortfolioTotals.h"
#include "core/model/Position.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

PortfolioItem invested(std::vector<Quotation> quotations, double quantity, double avgBuyPrice)
{
    PortfolioItem item = PortfolioItem::newItem("I", 0, 0);
    item.quotations = std::move(quotations);
    item.quantity = quantity;
    item.avgBuyPrice = avgBuyPrice;
    return item;
}

} // namespace

TEST(Investment, BuySellDividendExamples)
{
    Position position = Position{}.afterBuying(10, 20, 5);
    EXPECT_DOUBLE_EQ(position.quantity, 10);
    EXPECT_DOUBLE_EQ(position.avgBuyPrice, 20.5);
    position = position.afterBuying(10, 30, 0);
    EXPECT_DOUBLE_EQ(position.quantity, 20);
    EXPECT_DOUBLE_EQ(position.avgBuyPrice, 25.25);

    const double result = position.sell(5, 30, 2);
    EXPECT_DOUBLE_EQ(result, 21.75);
    EXPECT_EQ(sellResultText(result), "Financial result of the selling transaction: 21.75");
    EXPECT_DOUBLE_EQ(position.quantity, 15);
    EXPECT_DOUBLE_EQ(position.avgBuyPrice, 25.25);

    std::string error;
    EXPECT_TRUE(succeeded(position.payDividends(15), error));
    EXPECT_DOUBLE_EQ(position.avgBuyPrice, 24.25);

    position.sell(20, 30, 0);
    EXPECT_DOUBLE_EQ(position.quantity, -5);
}

TEST(Investment, DivisionsByZeroAreMended)
{
    Position empty;
    std::string error;
    EXPECT_FALSE(succeeded(empty.payDividends(10), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(empty.avgBuyPrice, 0);

    const Position closed = Position{-10, 30}.afterBuying(10, 25, 3);
    EXPECT_EQ(closed.quantity, 0);
    EXPECT_EQ(closed.avgBuyPrice, 0);
}

TEST(Investment, Alarms)
{
    PortfolioItem item = invested({{1, 110}}, 1, 100);
    item.alarmDiffEnabled = 1;
    item.alarmDiffPercent = 5;
    EXPECT_TRUE(alarmTriggered(item));
    item.alarmDiffPercent = 20;
    EXPECT_FALSE(alarmTriggered(item));
    item.avgBuyPrice = 0;
    EXPECT_TRUE(alarmTriggered(item));

    PortfolioItem limits = invested({{1, 50}}, 0, 0);
    limits.alarmAboveEnabled = 1;
    limits.alarmAbove = 50;
    EXPECT_FALSE(alarmTriggered(limits));
    limits.alarmAbove = 49.99;
    EXPECT_TRUE(alarmTriggered(limits));
    limits.alarmAboveEnabled = 0;
    limits.alarmBelowEnabled = 1;
    limits.alarmBelow = 50;
    EXPECT_FALSE(alarmTriggered(limits));
    limits.alarmBelow = 50.01;
    EXPECT_TRUE(alarmTriggered(limits));
}

TEST(Investment, AlarmConditionNamesTheFirstTestThatHolds)
{
    struct Case {
        bool above, below, diff;
        const char* condition;
    };
    // Last 120, buy price 100: above 100, below 130 and a difference over 12.5 % all hold.
    const Case cases[] = {{true, true, true, "above 100.00"},
                          {false, true, true, "below 130.00"},
                          {false, false, true, "differs by more than 12.50% from the buy price"},
                          {false, false, false, ""}};
    for (const Case& c : cases) {
        PortfolioItem item = invested({{1, 120}}, 1, 100);
        item.alarmAboveEnabled = c.above;
        item.alarmAbove = 100;
        item.alarmBelowEnabled = c.below;
        item.alarmBelow = 130;
        item.alarmDiffEnabled = c.diff;
        item.alarmDiffPercent = 12.5;
        EXPECT_EQ(alarmCondition(item), c.condition);
        EXPECT_EQ(alarmTriggered(item), *c.condition != 0);
    }
}

TEST(Investment, ItemInvestmentTexts)
{
    EXPECT_EQ(investedText(invested({{1, 110}}, 2, 100), true), "220.00 (+10.00%)");
    EXPECT_EQ(investedText(invested({{1, 110}}, 2, 100), false), "220.00 (+20.00)");
    EXPECT_EQ(investedText(invested({{1, 110}}, 2, 0), true), "220.00");
    PortfolioItem history = PortfolioItem::newInvestedAmountHistory(0);
    history.quotations = {{1, 500}};
    EXPECT_EQ(investedText(history, true), "");
}

TEST(PortfolioTotalsTest, StatusTexts)
{
    const PortfolioItem a = invested({{1, 100}, {2, 110}}, 2, 100);
    const PortfolioItem b = invested({{1, 40}, {2, 50}}, 1, 50);
    PortfolioTotals totals = PortfolioTotals::of({&a, &b});
    EXPECT_EQ(totals.statusText(true), "Amount invested: 270.00 (Last: +12.50% Total: +8.00%)");
    EXPECT_EQ(totals.statusText(false), "Amount invested: 270.00 (Last: +30.00 Total: +20.00)");

    const PortfolioItem single = invested({{2, 50}}, 1, 50);
    totals = PortfolioTotals::of({&a, &single});
    EXPECT_EQ(totals.statusText(true), "Amount invested: 270.00 (Total: +8.00%)");
    EXPECT_EQ(totals.statusText(false), "Amount invested: 270.00 (Total: +20.00)");

    const PortfolioItem unpriced = invested({{2, 50}}, 1, 0);
    EXPECT_EQ(PortfolioTotals::of({&a, &unpriced}).statusText(true), "Amount invested: 270.00");
    EXPECT_EQ(PortfolioTotals::of(std::vector<const PortfolioItem*>{}).statusText(false), "Amount invested: 0.00");
}

struct FiguresFixture : ::testing::Test {
    FiguresFixture() { TestEnvironment::setTimeZone("UTC"); }
    TestEnvironment env;
};

TEST_F(FiguresFixture, PeriodTexts)
{
    EXPECT_EQ(ItemFigures::changeText(1.5, 89, true), "+1.50% (89 Days)");
    EXPECT_EQ(ItemFigures::changeText(1.5, 90, true), "+1.50% (3.0 Months)");
    EXPECT_EQ(ItemFigures::changeText(-1.5, 1094, true), "-1.50% (36.5 Months)");
    EXPECT_EQ(ItemFigures::changeText(0, 1095, false), "+0.0000 (3.0 Years)");
}

TEST_F(FiguresFixture, LastUpdateForms)
{
    const time_t tuesday = localTime(2024, 1, 2, 23, 50);
    EXPECT_EQ(ItemFigures::lastUpdateText(tuesday, localTime(2024, 1, 2, 23, 55)), "23:50");
    EXPECT_EQ(ItemFigures::lastUpdateDays(tuesday, localTime(2024, 1, 3, 0, 10)), 1);
    EXPECT_EQ(ItemFigures::lastUpdateText(tuesday, localTime(2024, 1, 3, 0, 10)), "Tuesday   23:50");
    EXPECT_EQ(ItemFigures::lastUpdateText(tuesday, localTime(2024, 1, 1)), "Tuesday   23:50");
    EXPECT_EQ(ItemFigures::lastUpdateText(tuesday, localTime(2024, 1, 10)), "01/02/24   23:50");
}

TEST_F(FiguresFixture, CellsOfAnItem)
{
    const PortfolioItem one = invested({{localTime(2024, 1, 2, 12), 12.5}}, 0, 0);
    const auto cells = ItemFigures::cells(one, true, localTime(2024, 1, 2, 13));
    EXPECT_EQ(cells[columnIndex(ItemColumn::LastUpdate)], "12:00");
    EXPECT_EQ(cells[columnIndex(ItemColumn::Value)], "12.5000");
    EXPECT_EQ(cells[columnIndex(ItemColumn::Low)], "12.5000");
    EXPECT_EQ(cells[columnIndex(ItemColumn::High)], "12.5000");
    EXPECT_EQ(cells[columnIndex(ItemColumn::LastDayChange)], "+0.00% (0 Days)");
    EXPECT_EQ(cells[columnIndex(ItemColumn::TotalChange)], "+0.00% (0 Days)");
    EXPECT_EQ(cells[columnIndex(ItemColumn::Invested)], "0.00");
    EXPECT_EQ(ItemFigures::cells(one, false, 0)[columnIndex(ItemColumn::LastChange)], "+0.0000 (0 Days)");

    const PortfolioItem twoDays = invested({{localTime(2024, 1, 1, 17), 10}, {localTime(2024, 1, 2, 9), 11}}, 0, 0);
    const auto changed = ItemFigures::cells(twoDays, true, localTime(2024, 1, 2, 10));
    EXPECT_EQ(changed[columnIndex(ItemColumn::LastDayChange)], "+10.00% (0 Days)");
    EXPECT_EQ(ItemFigures::trendIcon(twoDays), 2);

    const auto empty = ItemFigures::cells(PortfolioItem::newItem("Empty", 0, 0), true, 0);
    EXPECT_EQ(empty[columnIndex(ItemColumn::Name)], "Empty");
    for (int column = 1; column < kItemColumnCount; ++column)
        EXPECT_EQ(empty[column], "");
}

TEST_F(FiguresFixture, CellsFollowTheLocale)
{
    if (!TestEnvironment::setLocale("de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const PortfolioItem item = invested({{1, 10}, {2, 12.5}}, 2, 10);
    const auto cells = ItemFigures::cells(item, true, 3);
    EXPECT_EQ(cells[columnIndex(ItemColumn::Value)], "12,5000");
    EXPECT_EQ(cells[columnIndex(ItemColumn::Invested)], "25,00 (+25,00%)");
}
