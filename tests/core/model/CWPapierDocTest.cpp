#include "core/model/CWPapierDoc.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

struct DocFixture : ::testing::Test {
    DocFixture()
    {
        TestEnvironment::setTimeZone("UTC");
        doc.addChangeListener([this](CWPapierDoc::ItemId id) {
            ++notifications;
            told.push_back(id);
        });
    }

    int addItem(const std::string& name, std::vector<CKurs> quotations = {}, double quantity = 0)
    {
        CWPapier item = CWPapier::newItem(name, 0, 0);
        item.quotations = std::move(quotations);
        item.quantity = quantity;
        return doc.AddItem(item);
    }

    TestEnvironment env;
    CWPapierDoc doc;
    int notifications = 0;
    std::vector<CWPapierDoc::ItemId> told;
};

std::vector<CKurs> sequentially(std::vector<CKurs> history, const std::vector<CKurs>& added)
{
    CWPapier item;
    item.quotations = std::move(history);
    for (const CKurs& record : added)
        item.AddQuotation(record.time, record.value);
    return item.quotations;
}

} // namespace

TEST_F(DocFixture, NewPortfolioHoldsOnlyTheHistoryItem)
{
    addItem("Old");
    doc.NewPortfolio();
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
    doc.DeleteItems({idA});
    EXPECT_EQ(doc.positionOf(idA), -1);
    EXPECT_EQ(doc.positionOf(idB), 0);
    const int c = addItem("C");
    EXPECT_NE(doc.itemId(c), idA);
    EXPECT_NE(doc.itemId(c), idB);
    doc.DeleteContents();
    EXPECT_EQ(doc.positionOf(idB), -1);
    EXPECT_NE(doc.itemId(addItem("D")), idB);
}

TEST_F(DocFixture, DownloadedValuesGetTheCentsCorrection)
{
    const int pos = addItem("X", {{100, 12.5}});
    const auto id = doc.itemId(pos);
    doc.setUpdating(id, true);
    EXPECT_TRUE(doc.ApplyDownloadedQuotation(id, 1234, 200));
    EXPECT_DOUBLE_EQ(doc.item(pos).quotations.back().value, 12.34);
    EXPECT_FALSE(doc.isUpdating(id));
    EXPECT_TRUE(doc.isModified());

    doc.ApplyDownloadedQuotation(id, 80 * 12.34, 300);
    EXPECT_DOUBLE_EQ(doc.item(pos).quotations.back().value, 80 * 12.34);
    const int other = addItem("Y", {{100, 2.0}});
    doc.ApplyDownloadedQuotation(doc.itemId(other), 300, 200);
    EXPECT_DOUBLE_EQ(doc.item(other).quotations.back().value, 300);
}

TEST_F(DocFixture, ListenersAreToldWhichItemChanged)
{
    using Ids = std::vector<CWPapierDoc::ItemId>;
    constexpr auto all = CWPapierDoc::kAllItems;
    doc.NewPortfolio();
    const auto history = doc.itemId(doc.investedAmountHistoryPosition());
    told.clear();
    const int plain = addItem("Plain", {{100, 1.0}});
    const int held = addItem("Held", {{100, 2.0}}, 3);
    const auto plainId = doc.itemId(plain);
    const auto heldId = doc.itemId(held);
    EXPECT_EQ(told, (Ids{all, all})) << "added items change the rows";

    const std::vector<std::pair<const char*, std::function<void()>>> singleItemChanges = {
        {"AddItemQuotation", [&] { doc.AddItemQuotation(plain, 1.5, 200); }},
        {"ApplyDownloadedQuotation", [&] { doc.ApplyDownloadedQuotation(plainId, 1.6, 300); }},
        {"ReplaceQuotation", [&] { doc.ReplaceQuotation(plain, 0, 1.1, 50); }},
        {"DeleteQuotation", [&] { doc.DeleteQuotation(plain, 0); }},
        {"UpdateItem", [&] { doc.UpdateItem(plain, doc.item(plain)); }},
        {"SplitQuotations", [&] { doc.SplitQuotations(plain, 0, 2); }},
        {"InvertQuotations", [&] { doc.InvertQuotations(plain); }},
        {"MultiplyQuotations", [&] { doc.MultiplyQuotations(plain, held); }},
        {"MergeQuotations",
         [&] {
             doc.MergeQuotations(plain, {{400, 1.0}});
         }},
        {"DeleteAllQuotations", [&] { doc.DeleteAllQuotations(plain); }},
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
    doc.ApplyDownloadedQuotation(heldId, 2.5, 500);
    EXPECT_EQ(told, (Ids{history, heldId}));

    told.clear();
    doc.DeleteItems({plainId});
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
    doc.DeleteContents();
    EXPECT_FALSE(doc.isUpdating(id));
    doc.setUpdating(id, true);
    EXPECT_FALSE(doc.isUpdating(id)) << "an item that is gone cannot be marked";
}

TEST_F(DocFixture, ResultsForDeletedItemsAreDropped)
{
    const int pos = addItem("Gone", {{100, 1.0}});
    const auto id = doc.itemId(pos);
    doc.DeleteItems({id});
    const int before = notifications;
    EXPECT_FALSE(doc.ApplyDownloadedQuotation(id, 2.0, 200));
    EXPECT_EQ(notifications, before);
}

TEST_F(DocFixture, DeletionSkipsTheHistoryItemAndUpdatingItems)
{
    doc.NewPortfolio();
    const int busy = addItem("Busy");
    doc.setUpdating(doc.itemId(busy), true);
    doc.setModified(false);
    doc.DeleteItems({doc.itemId(0), doc.itemId(busy)});
    EXPECT_EQ(doc.itemCount(), 2);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocFixture, InvestedAmountIsOverwrittenWithinFiveMinutes)
{
    doc.NewPortfolio();
    const int a = addItem("A", {}, 2);
    const int b = addItem("B", {}, 3);
    const time_t t = 1700000000;
    doc.AddItemQuotation(a, 10, t);
    ASSERT_EQ(doc.item(0).quotations, (std::vector<CKurs>{{t, 20}}));
    doc.AddItemQuotation(b, 5, t + 180);
    EXPECT_EQ(doc.item(0).quotations, (std::vector<CKurs>{{t + 180, 35}}));
    doc.AddItemQuotation(a, 11, t + 180 + 300);
    EXPECT_EQ(doc.item(0).quotations, (std::vector<CKurs>{{t + 180, 35}, {t + 480, 37}}));
    // An older record than the newest one does not touch the history item.
    doc.AddItemQuotation(b, 7, t);
    EXPECT_EQ(doc.item(0).quotations.size(), 2u);
}

TEST_F(DocFixture, QuotationEditing)
{
    const int pos = addItem("Q", {{10, 1.0}, {20, 2.0}, {30, 4.0}});
    EXPECT_EQ(doc.ReplaceQuotation(pos, 0, 5.0, 40), 2);
    EXPECT_EQ(doc.item(pos).quotations, (std::vector<CKurs>{{20, 2.0}, {30, 4.0}, {40, 5.0}}));
    EXPECT_TRUE(doc.DeleteQuotation(pos, 1));
    EXPECT_FALSE(doc.DeleteQuotation(pos, 2));
    doc.DeleteAllQuotations(pos);
    EXPECT_FALSE(doc.DeleteQuotation(pos, 0));
    EXPECT_EQ(doc.ReplaceQuotation(pos, 0, 1.0, 1), -1);
    EXPECT_EQ(doc.AddItemQuotation(7, 1.0, 1), -1);
}

TEST_F(DocFixture, SplitDividesTheSelectedAndOlderRecords)
{
    const int pos = addItem("S", {{10, 8.0}, {20, 10.0}, {30, 12.0}}, 5);
    doc.item(pos).avgBuyPrice = 9;
    doc.item(pos).alarmAbove = 20;
    doc.item(pos).alarmDiffPercent = 10;
    EXPECT_FALSE(doc.SplitQuotations(pos, 1, 0));
    EXPECT_FALSE(doc.SplitQuotations(pos, 1, -2));
    EXPECT_EQ(doc.item(pos).quantity, 5);
    EXPECT_TRUE(doc.SplitQuotations(pos, 1, 2));
    const CWPapier& item = doc.item(pos);
    EXPECT_EQ(item.quotations, (std::vector<CKurs>{{10, 4.0}, {20, 5.0}, {30, 12.0}}));
    EXPECT_EQ(item.quantity, 10);
    EXPECT_EQ(item.avgBuyPrice, 4.5);
    EXPECT_EQ(item.alarmAbove, 10);
    EXPECT_EQ(item.alarmDiffPercent, 10);
    EXPECT_TRUE(doc.SplitQuotations(pos, 9, 2));
    EXPECT_EQ(doc.item(pos).quotations.back().value, 12.0);
}

TEST_F(DocFixture, InvertAndMultiply)
{
    const int pos = addItem("I", {{10, 4.0}, {20, 0.5}, {30, 0.0}});
    doc.InvertQuotations(pos);
    EXPECT_EQ(doc.item(pos).quotations, (std::vector<CKurs>{{10, 0.25}, {20, 2.0}, {30, 0.0}}));
    doc.InvertQuotations(pos);
    EXPECT_EQ(doc.item(pos).quotations, (std::vector<CKurs>{{10, 4.0}, {20, 0.5}, {30, 0.0}}));

    const time_t day = 86400;
    std::vector<CKurs> daily;
    for (int d = 0; d < 15; ++d)
        daily.push_back({d * day, 1.0});
    const int prices = addItem("Daily", daily);
    const int rates = addItem("Weekly", {{3 * day, 2.0}, {10 * day, 3.0}});
    doc.MultiplyQuotations(prices, rates);
    const std::vector<CKurs>& result = doc.item(prices).quotations;
    EXPECT_EQ(result[2].value, 1.0);
    EXPECT_EQ(result[3].value, 2.0);
    EXPECT_EQ(result[9].value, 2.0);
    EXPECT_EQ(result[10].value, 3.0);
    EXPECT_EQ(result[14].value, 3.0);
}

TEST_F(DocFixture, UpdateItemKeepsHistoryAndFlag)
{
    doc.NewPortfolio();
    doc.AddItemQuotation(0, 3.0, 100);
    CWPapier fields = CWPapier::newItem("Renamed", 0, 1);
    fields.symbol = "SYM";
    doc.UpdateItem(0, fields);
    EXPECT_EQ(doc.item(0).name, "Renamed");
    EXPECT_EQ(doc.item(0).symbol, "SYM");
    EXPECT_EQ(doc.item(0).isInvestedAmountHistory, 1);
    EXPECT_EQ(doc.item(0).quotations.size(), 1u);
}

TEST_F(DocFixture, MergeEqualsAddingOneByOne)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        CWPapier start;
        for (int k = 0; k < static_cast<int>(random() % 12); ++k)
            start.AddQuotation(random() % 40, random() % 100);
        std::vector<CKurs> added;
        for (int k = 0; k < static_cast<int>(random() % 20); ++k)
            added.push_back({static_cast<time_t>(random() % 40), static_cast<double>(random() % 100)});
        // Files list their lines oldest or newest first, equal times included.
        std::vector<CKurs> oldestFirst = added;
        std::stable_sort(oldestFirst.begin(), oldestFirst.end(), [](auto& a, auto& b) { return a.time < b.time; });
        const std::vector<CKurs> newestFirst(oldestFirst.rbegin(), oldestFirst.rend());
        for (const std::vector<CKurs>& order : {added, oldestFirst, newestFirst}) {
            const int pos = addItem("M", start.quotations);
            doc.MergeQuotations(pos, order);
            ASSERT_EQ(doc.item(pos).quotations, sequentially(start.quotations, order)) << "round " << round;
        }
    }
    // A history that is not in order, as a damaged file may bring, merges like single adds too.
    const std::vector<CKurs> unordered = {{30, 1.0}, {10, 2.0}, {10, 3.0}, {50, 4.0}};
    const int pos = addItem("U", unordered);
    doc.MergeQuotations(pos, {{10, 9.0}, {40, 8.0}, {5, 7.0}});
    EXPECT_EQ(doc.item(pos).quotations, sequentially(unordered, {{10, 9.0}, {40, 8.0}, {5, 7.0}}));
}

TEST_F(DocFixture, PastedItemsAreRenamedAndOrdinary)
{
    doc.NewPortfolio();
    const int x = addItem("X", {{1, 1.0}});
    QByteArray stream;
    std::string error;
    ASSERT_TRUE(succeeded(doc.CopyItems({doc.itemId(x), doc.itemId(0)}), stream, error));

    std::vector<std::string> shown = {" Invested Amount History", "x", "Copy of X"};
    std::vector<int> added = valueOf(doc.PasteItems(stream, shown), error);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(doc.item(added[0]).name, "Copy of X (1)");
    EXPECT_EQ(doc.item(added[0]).quotations, (std::vector<CKurs>{{1, 1.0}}));
    EXPECT_EQ(doc.item(added[1]).name, "Copy of  Invested Amount History");
    EXPECT_EQ(doc.item(added[1]).isInvestedAmountHistory, 0);

    shown.push_back("Copy of X (1)");
    added = valueOf(doc.PasteItems(stream, shown), error);
    EXPECT_EQ(doc.item(added[0]).name, "Copy of X (2)");

    const int count = doc.itemCount();
    EXPECT_TRUE(valueOf(doc.PasteItems(stream.left(stream.size() - 1), shown), error).empty());
    EXPECT_EQ(error, "Clipboard data could not be read!");
    EXPECT_EQ(doc.itemCount(), count);
}

TEST(PastedItemName, FirstFreeCandidate)
{
    EXPECT_EQ(pastedItemName("Y", {"X"}), "Y");
    EXPECT_EQ(pastedItemName("X", {"X"}), "Copy of X");
    EXPECT_EQ(pastedItemName("X", {"X", "COPY OF X", "copy of x (1)"}), "Copy of X (2)");
}
