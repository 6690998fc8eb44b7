// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioDocument.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/model/ItemClipboard.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

struct DocFixture : ::testing::Test {
    DocFixture()
    {
        TestEnvironment::setTimeZone("UTC");
        doc.addChangeListener([this](PortfolioDocument::ItemId id) {
            ++notifications;
            told.push_back(id);
        });
    }

    int addItem(const std::string& name, std::vector<Quotation> quotations = {}, double quantity = 0)
    {
        PortfolioItem item = PortfolioItem::newItem(name, 0, 0);
        item.quotations = std::move(quotations);
        item.quantity = quantity;
        return doc.addItem(item);
    }

    TestEnvironment env;
    PortfolioDocument doc;
    int notifications = 0;
    std::vector<PortfolioDocument::ItemId> told;
};

std::vector<Quotation> sequentially(std::vector<Quotation> history, const std::vector<Quotation>& added)
{
    PortfolioItem item;
    item.quotations = std::move(history);
    for (const Quotation& record : added)
        item.addQuotation(record.time, record.value);
    return item.quotations;
}

} // namespace

TEST_F(DocFixture, NewPortfolioHoldsOnlyTheHistoryItem)
{
    addItem("Old");
    doc.newPortfolio();
    ASSERT_EQ(doc.itemCount(), 1);
    EXPECT_EQ(doc.item(0).name, " Invested Amount History");
    EXPECT_EQ(doc.item(0).isInvestedAmountHistory, 1);
    EXPECT_EQ(doc.investedAmountHistoryPosition(), 0);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(DocFixture, IdsStayWithTheirItemsAndAreNeverReused)
{
    const int a = addItem("A");
    const int b = addItem("B");
    const auto idA = doc.itemId(a);
    const auto idB = doc.itemId(b);
    doc.deleteItems({idA});
    EXPECT_EQ(doc.positionOf(idA), -1);
    EXPECT_EQ(doc.positionOf(idB), 0);
    const int c = addItem("C");
    EXPECT_NE(doc.itemId(c), idA);
    EXPECT_NE(doc.itemId(c), idB);
    doc.deleteContents();
    EXPECT_EQ(doc.positionOf(idB), -1);
    EXPECT_NE(doc.itemId(addItem("D")), idB);
}

TEST_F(DocFixture, EveryItemIsFoundWhereItIsAfterDeletionsInTheMiddle)
{
    std::vector<PortfolioDocument::ItemId> ids;
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        ids.push_back(doc.itemId(addItem(name)));
    doc.deleteItems({ids[1], ids[4]});
    addItem("G");
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        EXPECT_EQ(doc.positionOf(doc.itemId(pos)), pos);
    for (const auto gone : {ids[1], ids[4], PortfolioDocument::ItemId(0), ids.back() + 1000})
        EXPECT_EQ(doc.positionOf(gone), -1);
}

TEST_F(DocFixture, DownloadedValuesGetTheCentsCorrection)
{
    const int pos = addItem("X", {{100, 12.5}});
    const auto id = doc.itemId(pos);
    doc.setUpdating(id, true);
    EXPECT_TRUE(doc.applyDownloadedQuotation(id, 1234, 200));
    EXPECT_DOUBLE_EQ(doc.item(pos).quotations.back().value, 12.34);
    EXPECT_FALSE(doc.isUpdating(id));
    EXPECT_TRUE(doc.isModified());

    doc.applyDownloadedQuotation(id, 80 * 12.34, 300);
    EXPECT_DOUBLE_EQ(doc.item(pos).quotations.back().value, 80 * 12.34);
    const int other = addItem("Y", {{100, 2.0}});
    doc.applyDownloadedQuotation(doc.itemId(other), 300, 200);
    EXPECT_DOUBLE_EQ(doc.item(other).quotations.back().value, 300);
}

TEST_F(DocFixture, ListenersAreToldWhichItemChanged)
{
    using Ids = std::vector<PortfolioDocument::ItemId>;
    constexpr auto all = PortfolioDocument::kAllItems;
    doc.newPortfolio();
    const auto history = doc.itemId(doc.investedAmountHistoryPosition());
    told.clear();
    const int plain = addItem("Plain", {{100, 1.0}});
    const int held = addItem("Held", {{100, 2.0}}, 3);
    const auto plainId = doc.itemId(plain);
    const auto heldId = doc.itemId(held);
    EXPECT_EQ(told, (Ids{all, all})) << "added items change the rows";

    const std::vector<std::pair<const char*, std::function<void()>>> singleItemChanges = {
        {"AddItemQuotation", [&] { doc.addItemQuotation(plain, 1.5, 200); }},
        {"ApplyDownloadedQuotation", [&] { doc.applyDownloadedQuotation(plainId, 1.6, 300); }},
        {"ReplaceQuotation", [&] { doc.replaceQuotation(plain, 0, 1.1, 50); }},
        {"DeleteQuotation", [&] { doc.deleteQuotation(plain, 0); }},
        {"UpdateItem", [&] { doc.updateItem(plain, doc.item(plain)); }},
        {"SplitQuotations", [&] { doc.splitQuotations(plain, 0, 2); }},
        {"InvertQuotations", [&] { doc.invertQuotations(plain); }},
        {"MultiplyQuotations", [&] { doc.multiplyQuotations(plain, held); }},
        {"MergeQuotations",
         [&] {
             doc.mergeQuotations(plain, {{400, 1.0}});
         }},
        {"DeleteAllQuotations", [&] { doc.deleteAllQuotations(plain); }},
    };
    for (const auto& [name, change] : singleItemChanges) {
        doc.setModified(false);
        told.clear();
        change();
        // A replacement is a deletion and an addition: told twice, about the same item.
        EXPECT_FALSE(told.empty()) << name;
        EXPECT_EQ(told, Ids(told.size(), plainId)) << name;
        EXPECT_TRUE(doc.isModified()) << name;
    }

    // Held shares: the invested amount is recorded in the history item, which is told as well.
    told.clear();
    doc.applyDownloadedQuotation(heldId, 2.5, 500);
    EXPECT_EQ(told, (Ids{history, heldId}));

    told.clear();
    doc.deleteItems({plainId});
    EXPECT_EQ(told, Ids{all});
}

TEST_F(DocFixture, UpdatingMarksAreRuntimeOnly)
{
    const int pos = addItem("X", {{100, 1.0}});
    const auto id = doc.itemId(pos);
    doc.setModified(false);
    const int before = notifications;
    doc.setUpdating(id, true);
    EXPECT_TRUE(doc.isUpdating(id));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(notifications, before);
    doc.setUpdating(id, false);
    EXPECT_FALSE(doc.isUpdating(id));

    doc.setUpdating(id, true);
    doc.deleteContents();
    EXPECT_FALSE(doc.isUpdating(id));
    doc.setUpdating(id, true);
    EXPECT_FALSE(doc.isUpdating(id)) << "an item that is gone cannot be marked";
}

TEST_F(DocFixture, ResultsForDeletedItemsAreDropped)
{
    const int pos = addItem("Gone", {{100, 1.0}});
    const auto id = doc.itemId(pos);
    doc.deleteItems({id});
    const int before = notifications;
    EXPECT_FALSE(doc.applyDownloadedQuotation(id, 2.0, 200));
    EXPECT_EQ(notifications, before);
}

TEST_F(DocFixture, DeletionSkipsTheHistoryItemAndUpdatingItems)
{
    doc.newPortfolio();
    const int busy = addItem("Busy");
    doc.setUpdating(doc.itemId(busy), true);
    doc.setModified(false);
    doc.deleteItems({doc.itemId(0), doc.itemId(busy)});
    EXPECT_EQ(doc.itemCount(), 2);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocFixture, InvestedAmountIsOverwrittenWithinFiveMinutes)
{
    doc.newPortfolio();
    const int a = addItem("A", {}, 2);
    const int b = addItem("B", {}, 3);
    const time_t t = 1700000000;
    doc.addItemQuotation(a, 10, t);
    ASSERT_EQ(doc.item(0).quotations, (std::vector<Quotation>{{t, 20}}));
    doc.addItemQuotation(b, 5, t + 180);
    EXPECT_EQ(doc.item(0).quotations, (std::vector<Quotation>{{t + 180, 35}}));
    doc.addItemQuotation(a, 11, t + 180 + 300);
    EXPECT_EQ(doc.item(0).quotations, (std::vector<Quotation>{{t + 180, 35}, {t + 480, 37}}));
    // An older record than the newest one does not touch the history item.
    doc.addItemQuotation(b, 7, t);
    EXPECT_EQ(doc.item(0).quotations.size(), 2u);
}

TEST_F(DocFixture, QuotationEditing)
{
    const int pos = addItem("Q", {{10, 1.0}, {20, 2.0}, {30, 4.0}});
    EXPECT_EQ(doc.replaceQuotation(pos, 0, 5.0, 40), 2);
    EXPECT_EQ(doc.item(pos).quotations, (std::vector<Quotation>{{20, 2.0}, {30, 4.0}, {40, 5.0}}));
    EXPECT_TRUE(doc.deleteQuotation(pos, 1));
    EXPECT_FALSE(doc.deleteQuotation(pos, 2));
    doc.deleteAllQuotations(pos);
    EXPECT_FALSE(doc.deleteQuotation(pos, 0));
    EXPECT_EQ(doc.replaceQuotation(pos, 0, 1.0, 1), -1);
    EXPECT_EQ(doc.addItemQuotation(7, 1.0, 1), -1);
}

TEST_F(DocFixture, SplitDividesTheSelectedAndOlderRecords)
{
    const int pos = addItem("S", {{10, 8.0}, {20, 10.0}, {30, 12.0}}, 5);
    doc.item(pos).avgBuyPrice = 9;
    doc.item(pos).alarmAbove = 20;
    doc.item(pos).alarmDiffPercent = 10;
    EXPECT_FALSE(doc.splitQuotations(pos, 1, 0));
    EXPECT_FALSE(doc.splitQuotations(pos, 1, -2));
    EXPECT_EQ(doc.item(pos).quantity, 5);
    EXPECT_TRUE(doc.splitQuotations(pos, 1, 2));
    const PortfolioItem& item = doc.item(pos);
    EXPECT_EQ(item.quotations, (std::vector<Quotation>{{10, 4.0}, {20, 5.0}, {30, 12.0}}));
    EXPECT_EQ(item.quantity, 10);
    EXPECT_EQ(item.avgBuyPrice, 4.5);
    EXPECT_EQ(item.alarmAbove, 10);
    EXPECT_EQ(item.alarmDiffPercent, 10);
    EXPECT_TRUE(doc.splitQuotations(pos, 9, 2));
    EXPECT_EQ(doc.item(pos).quotations.back().value, 12.0);
}

TEST_F(DocFixture, InvertAndMultiply)
{
    const int pos = addItem("I", {{10, 4.0}, {20, 0.5}, {30, 0.0}});
    doc.invertQuotations(pos);
    EXPECT_EQ(doc.item(pos).quotations, (std::vector<Quotation>{{10, 0.25}, {20, 2.0}, {30, 0.0}}));
    doc.invertQuotations(pos);
    EXPECT_EQ(doc.item(pos).quotations, (std::vector<Quotation>{{10, 4.0}, {20, 0.5}, {30, 0.0}}));

    const time_t day = 86400;
    std::vector<Quotation> daily;
    for (int d = 0; d < 15; ++d)
        daily.push_back({d * day, 1.0});
    const int prices = addItem("Daily", daily);
    const int rates = addItem("Weekly", {{3 * day, 2.0}, {10 * day, 3.0}});
    doc.multiplyQuotations(prices, rates);
    const std::vector<Quotation>& result = doc.item(prices).quotations;
    EXPECT_EQ(result[2].value, 1.0);
    EXPECT_EQ(result[3].value, 2.0);
    EXPECT_EQ(result[9].value, 2.0);
    EXPECT_EQ(result[10].value, 3.0);
    EXPECT_EQ(result[14].value, 3.0);
}

TEST_F(DocFixture, UpdateItemKeepsHistoryAndFlag)
{
    doc.newPortfolio();
    doc.addItemQuotation(0, 3.0, 100);
    PortfolioItem fields = PortfolioItem::newItem("Renamed", 0, 1);
    fields.symbol = "SYM";
    doc.updateItem(0, fields);
    EXPECT_EQ(doc.item(0).name, "Renamed");
    EXPECT_EQ(doc.item(0).symbol, "SYM");
    EXPECT_EQ(doc.item(0).isInvestedAmountHistory, 1);
    EXPECT_EQ(doc.item(0).quotations.size(), 1u);
}

TEST_F(DocFixture, MergeEqualsAddingOneByOne)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        PortfolioItem start;
        for (int k = 0; k < static_cast<int>(random() % 12); ++k)
            start.addQuotation(random() % 40, random() % 100);
        std::vector<Quotation> added;
        for (int k = 0; k < static_cast<int>(random() % 20); ++k)
            added.push_back({static_cast<time_t>(random() % 40), static_cast<double>(random() % 100)});
        // Files list their lines oldest or newest first, equal times included.
        std::vector<Quotation> oldestFirst = added;
        std::stable_sort(oldestFirst.begin(), oldestFirst.end(), [](auto& a, auto& b) { return a.time < b.time; });
        const std::vector<Quotation> newestFirst(oldestFirst.rbegin(), oldestFirst.rend());
        for (const std::vector<Quotation>& order : {added, oldestFirst, newestFirst}) {
            const int pos = addItem("M", start.quotations);
            doc.mergeQuotations(pos, order);
            ASSERT_EQ(doc.item(pos).quotations, sequentially(start.quotations, order)) << "round " << round;
        }
    }
    // A history that is not in order, as a damaged file may bring, merges like single adds too.
    const std::vector<Quotation> unordered = {{30, 1.0}, {10, 2.0}, {10, 3.0}, {50, 4.0}};
    const int pos = addItem("U", unordered);
    doc.mergeQuotations(pos, {{10, 9.0}, {40, 8.0}, {5, 7.0}});
    EXPECT_EQ(doc.item(pos).quotations, sequentially(unordered, {{10, 9.0}, {40, 8.0}, {5, 7.0}}));
}

TEST_F(DocFixture, PastedItemsAreRenamedAndOrdinary)
{
    doc.newPortfolio();
    const int x = addItem("X", {{1, 1.0}});
    QByteArray stream;
    std::string error;
    ASSERT_TRUE(succeeded(doc.copyItems({doc.itemId(x), doc.itemId(0)}), stream, error));

    std::vector<std::string> shown = {" Invested Amount History", "x", "Copy of X"};
    std::vector<int> added = valueOf(doc.pasteItems(stream, shown), error);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(doc.item(added[0]).name, "Copy of X (1)");
    EXPECT_EQ(doc.item(added[0]).quotations, (std::vector<Quotation>{{1, 1.0}}));
    EXPECT_EQ(doc.item(added[1]).name, "Copy of  Invested Amount History");
    EXPECT_EQ(doc.item(added[1]).isInvestedAmountHistory, 0);

    shown.push_back("Copy of X (1)");
    added = valueOf(doc.pasteItems(stream, shown), error);
    EXPECT_EQ(doc.item(added[0]).name, "Copy of X (2)");

    const int count = doc.itemCount();
    EXPECT_TRUE(valueOf(doc.pasteItems(stream.left(stream.size() - 1), shown), error).empty());
    EXPECT_EQ(error, "Clipboard data could not be read!");
    EXPECT_EQ(doc.itemCount(), count);
}

TEST(PastedItemName, FirstFreeCandidate)
{
    EXPECT_EQ(pastedItemName("Y", {"X"}), "Y");
    EXPECT_EQ(pastedItemName("X", {"X"}), "Copy of X");
    EXPECT_EQ(pastedItemName("X", {"X", "COPY OF X", "copy of x (1)"}), "Copy of X (2)");
}
