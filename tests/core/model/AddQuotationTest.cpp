// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioItem.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The merge walk exactly as documented, kept as the oracle for the binary-search version.
int walkReference(std::vector<Quotation>& list, time_t t, double v)
{
    if (list.empty() || t < list.front().time) {
        list.insert(list.begin(), Quotation{t, v});
        return 0;
    }
    size_t k = 0, prev = 0;
    while (k + 1 < list.size() && !(t < list[k].time)) {
        prev = k;
        ++k;
    }
    if (t == list[prev].time) {
        list[prev].value = v;
        return static_cast<int>(k);
    }
    if (t == list[k].time) {
        list[k].value = v;
        return static_cast<int>(k);
    }
    if (t > list[k].time) {
        list.push_back(Quotation{t, v});
        return static_cast<int>(k + 1);
    }
    list.insert(list.begin() + static_cast<long>(k), Quotation{t, v});
    return static_cast<int>(k);
}

PortfolioItem itemWith(std::initializer_list<Quotation> quotations)
{
    PortfolioItem item;
    for (const Quotation& k : quotations)
        item.addQuotation(k.time, k.value);
    return item;
}

} // namespace

TEST(addQuotation, EarlierThanAllGoesFirstAndReturnsZero)
{
    PortfolioItem item = itemWith({{100, 1.0}, {200, 2.0}});
    EXPECT_EQ(item.addQuotation(50, 0.5), 0);
    ASSERT_EQ(item.quotations.size(), 3u);
    EXPECT_EQ(item.quotations.front(), (Quotation{50, 0.5}));
}

TEST(addQuotation, LaterThanAllAppendsAndReturnsCountMinusOne)
{
    PortfolioItem item = itemWith({{100, 1.0}, {200, 2.0}, {300, 3.0}});
    EXPECT_EQ(item.addQuotation(400, 4.0), 3);
    EXPECT_EQ(item.quotations.back(), (Quotation{400, 4.0}));
}

TEST(addQuotation, SameTimeReplacesOnlyThatRecord)
{
    PortfolioItem item = itemWith({{100, 1.0}, {200, 2.0}, {300, 3.0}});
    item.addQuotation(200, 9.0);
    ASSERT_EQ(item.quotations.size(), 3u);
    EXPECT_EQ(item.quotations[0].value, 1.0);
    EXPECT_EQ(item.quotations[1].value, 9.0);
    EXPECT_EQ(item.quotations[2].value, 3.0);
}

TEST(addQuotation, ReplacingAMiddleRecordReturnsTheWalksIndexNotTheRecords)
{
    // The walk stops one past the equal record, and that is the index it reports.
    PortfolioItem item = itemWith({{100, 1.0}, {200, 2.0}, {300, 3.0}});
    EXPECT_EQ(item.addQuotation(200, 5.0), 2);
    EXPECT_EQ(item.addQuotation(100, 5.0), 1);
    EXPECT_EQ(item.addQuotation(300, 5.0), 2);
}

TEST(addQuotation, SingleRecordCases)
{
    PortfolioItem item = itemWith({{100, 1.0}});
    EXPECT_EQ(item.addQuotation(100, 2.0), 0);
    EXPECT_EQ(item.quotations.size(), 1u);
    EXPECT_EQ(item.addQuotation(150, 3.0), 1);
    EXPECT_EQ(item.addQuotation(120, 4.0), 1);
    EXPECT_EQ(item.quotations[1], (Quotation{120, 4.0}));
}

TEST(addQuotation, AgreesWithTheDocumentedWalkOnRandomSequences)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> times(0, 60);
    for (int run = 0; run < 200; ++run) {
        PortfolioItem item;
        std::vector<Quotation> reference;
        for (int i = 0; i < 40; ++i) {
            const time_t t = times(random);
            const double v = i;
            ASSERT_EQ(item.addQuotation(t, v), walkReference(reference, t, v));
            ASSERT_EQ(item.quotations, reference);
        }
        EXPECT_TRUE(std::is_sorted(item.quotations.begin(), item.quotations.end(),
                                   [](const Quotation& a, const Quotation& b) { return a.time < b.time; }));
    }
}
