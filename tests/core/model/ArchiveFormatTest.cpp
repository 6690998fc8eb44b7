// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "WrittenItems.h"
#include "core/model/PortfolioArchive.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<PortfolioItem> readItems(const QByteArray& bytes, int* version = nullptr)
{
    std::vector<PortfolioItem> items;
    EXPECT_TRUE(PortfolioArchive::read(bytes.constData(), static_cast<size_t>(bytes.size()), items, version));
    return items;
}

bool readFails(const QByteArray& bytes)
{
    std::vector<PortfolioItem> items;
    return !PortfolioArchive::read(bytes.constData(), static_cast<size_t>(bytes.size()), items, nullptr) &&
        items.empty();
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray fileBytes(const std::string& name)
{
    return QByteArray::fromStdString(readFileBytes(testDataPath("portfolios/" + name)));
}

PortfolioItem itemNamed(const std::string& name, std::vector<Quotation> quotations = {})
{
    PortfolioItem item = PortfolioItem::newItem(name, 1000000000, 3);
    item.quotations = std::move(quotations);
    return item;
}

// Offset of the first item body field (the name) in a single-item stream written by us.
constexpr int kFirstField = 2 + 6 + 8;

} // namespace

TEST(ArchiveFormat, EmptyListIsTwoZeroBytes)
{
    EXPECT_EQ(writeItems({}), hex("0000"));
    int version = -1;
    EXPECT_TRUE(readItems(hex("0000"), &version).empty());
    EXPECT_EQ(version, 0);
}

TEST(ArchiveFormat, QuotationBodyAndClassNumbering)
{
    // 2004-01-02 00:00:00 UTC, value 12.5.
    const QByteArray bytes = writeItems({itemNamed("A", {{1073001600, 12.5}, {1073001660, 13.0}})});
    const QByteArray body = hex("80B4F43F000000000000"
                                "2940");
    const QByteArray firstQuotation = hex("0200"
                                          "FFFF01000500") +
        "CKurs" + body;
    ASSERT_TRUE(bytes.contains(firstQuotation));
    EXPECT_TRUE(bytes.endsWith(hex("0380") + hex("BCB4F43F") + hex("0000000000002A40")));
    EXPECT_TRUE(bytes.startsWith(hex("0100"
                                     "FFFF08000800") +
                                 "CWPapier"));
}

TEST(ArchiveFormat, LaterItemsReferenceTheItemClass)
{
    const QByteArray bytes = writeItems({itemNamed("A", {{1, 1.0}}), itemNamed("B", {{2, 2.0}})});
    // Item A is object 2, "CKurs" class 3, its record object 4; item B references class 1 and
    // its record class 3.
    const int second = bytes.indexOf(hex("0180") + hex("0142"));
    ASSERT_GT(second, 0);
    EXPECT_TRUE(bytes.mid(second).contains(hex("0100") + hex("0380")));
    const std::vector<PortfolioItem> items = readItems(bytes);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].name, "B");
    EXPECT_EQ(items[1].quotations, (std::vector<Quotation>{{2, 2.0}}));
}

TEST(ArchiveFormat, StringPrefixSizes)
{
    const auto prefixOf = [](size_t length) {
        return writeItems({itemNamed(std::string(length, 'x'))}).mid(kFirstField, 7);
    };
    EXPECT_EQ(prefixOf(254).left(2), hex("FE78"));
    EXPECT_EQ(prefixOf(255).left(4), hex("FFFF0078"));
    EXPECT_EQ(prefixOf(65533).left(4), hex("FFFDFF78"));
    EXPECT_EQ(prefixOf(65534), hex("FFFFFFFEFF0000"));
    for (size_t length : {254u, 255u, 65534u, 70000u})
        EXPECT_EQ(readItems(writeItems({itemNamed(std::string(length, 'y'))}))[0].name.size(), length);
}

TEST(ArchiveFormat, TextOutsideWindows1252IsWrittenWide)
{
    const std::string euro = "Caf\xC3\xA9 \xE2\x82\xAC"; // fits Windows-1252
    const std::string greek = "\xCE\xB1\xCE\xB2 \xF0\x9F\x98\x80"; // does not
    const QByteArray narrow = writeItems({itemNamed(euro)});
    EXPECT_EQ(narrow.mid(kFirstField, 7), hex("06436166E92080"));
    const QByteArray wide = writeItems({itemNamed(greek)});
    // Marker, five UTF-16 units (the emoji takes a surrogate pair).
    EXPECT_EQ(wide.mid(kFirstField, 4), hex("FFFEFF05"));
    EXPECT_EQ(readItems(narrow)[0].name, euro);
    EXPECT_EQ(readItems(wide)[0].name, greek);
    const std::string byteOrderMark = "\xEF\xBB\xBFx";
    EXPECT_EQ(readItems(writeItems({itemNamed(byteOrderMark)}))[0].name, byteOrderMark);
}

TEST(ArchiveFormat, LongListsUseTheDwordCount)
{
    std::vector<Quotation> history;
    for (int k = 0; k < 65535; ++k)
        history.push_back({k, k * 0.5});
    const QByteArray bytes = writeItems({itemNamed("Long", history)});
    EXPECT_TRUE(bytes.contains(hex("FFFFFFFF0000"
                                   "FFFF01000500") +
                               "CKurs"));
    const std::vector<PortfolioItem> items = readItems(bytes);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].quotations, history);

    history.pop_back();
    EXPECT_TRUE(writeItems({itemNamed("Short", history)})
                    .contains(hex("FEFF"
                                  "FFFF01000500")));
}

TEST(ArchiveFormat, HighClassNumbersUseTheLongReference)
{
    // 33000 items without quotations take numbers 2 to 33001, the last item 33002, "CKurs" 33003.
    std::vector<PortfolioItem> items(33000, itemNamed("E"));
    items.push_back(itemNamed("Last", {{1, 1.0}, {2, 2.0}}));
    const QByteArray bytes = writeItems(items);
    EXPECT_TRUE(bytes.endsWith(hex("FF7F"
                                   "EB800080"
                                   "02000000"
                                   "0000000000000040")));
    const std::vector<PortfolioItem> again = readItems(bytes);
    ASSERT_EQ(again.size(), items.size());
    EXPECT_EQ(again.back().quotations, items.back().quotations);
}

TEST(ArchiveFormat, HandmadeVersionEightRoundTripsByteForByte)
{
    const QByteArray original = fileBytes("version8.tkr");
    int version = 0;
    const std::vector<PortfolioItem> items = readItems(original, &version);
    EXPECT_EQ(version, 8);
    EXPECT_EQ(writeItems(items), original);
}

TEST(ArchiveFormat, EveryVersionReadsItsFields)
{
    for (int version = 1; version <= 8; ++version) {
        SCOPED_TRACE(version);
        int read = 0;
        const std::vector<PortfolioItem> items =
            readItems(fileBytes("version" + std::to_string(version) + ".tkr"), &read);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(read, version);
        const PortfolioItem& item = items[0];
        EXPECT_EQ(item.name, "Item v" + std::to_string(version));
        EXPECT_EQ(item.symbol, "SYM");
        EXPECT_EQ(item.server.name, "Srv");
        EXPECT_EQ(item.server.URL, "http://q.example/[&symbol]");
        EXPECT_EQ(item.server.Timeout, 77);
        EXPECT_EQ(item.server.Format, 2);
        EXPECT_EQ(item.server.Text_before_Value, "Kurs");
        EXPECT_EQ(item.server.Nr_HTML_before_Value, 3);
        EXPECT_EQ(item.server.Numbers_before_Value, 4);
        EXPECT_EQ(item.server.NoCaseSensitiv, 0);
        EXPECT_EQ(item.chartOptionsSet, 0);
        EXPECT_EQ(item.graphValues, 2);
        EXPECT_EQ(item.periodStart, 1000000000);
        EXPECT_EQ(item.periodEnd, 1100000000);
        EXPECT_EQ(item.usePeriodStart, 1);
        EXPECT_EQ(item.quotations, (std::vector<Quotation>{{1072915200, 12.5}, {1073001600, 13.25}}));
        EXPECT_EQ(item.isInvestedAmountHistory, 0);

        EXPECT_EQ(item.note, version >= 6 ? "Notiz \xC3\xA9" : "");
        EXPECT_EQ(item.server.TAUSEND, version >= 2 ? "." : "");
        EXPECT_EQ(item.server.DECIMAL, version >= 2 ? ";" : ",");
        EXPECT_EQ(item.server.Filtering, version >= 7 ? 1 : 0);
        EXPECT_EQ(item.server.RegExp, version >= 7 ? "(\\d+)" : "");
        EXPECT_EQ(item.server.RegExpQuotationIndex, version >= 7 ? 2 : 1);
        EXPECT_EQ(item.server.RegExpMinuteIndex, version >= 7 ? 7 : 6);
        EXPECT_EQ(item.alarmBelowEnabled, version >= 2 ? 1 : 0);
        EXPECT_EQ(item.alarmBelow, version >= 2 ? 9.5 : 0.0);
        EXPECT_EQ(item.alarmAbove, version >= 2 ? 30.25 : 0.0);
        EXPECT_EQ(item.alarmDiffEnabled, version >= 6 ? 1 : 0);
        EXPECT_EQ(item.alarmDiffPercent, version >= 6 ? 12.5 : 0.0);
        EXPECT_EQ(item.quantity, version >= 2 ? 7.0 : 0.0);
        EXPECT_EQ(item.avgBuyPrice, version >= 4 ? 11.75 : 0.0);
        EXPECT_EQ(item.chartColour, version >= 5 ? 0x123456u : 0xAA0000u);
    }
}

TEST(ArchiveFormat, OlderVersionsResaveAsVersionEight)
{
    const std::vector<PortfolioItem> items = readItems(fileBytes("version1.tkr"));
    const QByteArray bytes = writeItems(items);
    EXPECT_TRUE(bytes.startsWith(hex("0100"
                                     "FFFF08000800") +
                                 "CWPapier"));
    int version = 0;
    const std::vector<PortfolioItem> again = readItems(bytes, &version);
    EXPECT_EQ(version, 8);
    EXPECT_EQ(again[0].server.DECIMAL, ",");
    EXPECT_EQ(again[0].chartColour, 0xAA0000u);
}

TEST(ArchiveFormat, MalformedStreamsAreRefused)
{
    const QByteArray valid = fileBytes("version8.tkr");
    for (qsizetype length = 0; length < valid.size(); ++length)
        EXPECT_TRUE(readFails(valid.left(length))) << "truncated at " << length;

    const QByteArray classHeader = hex("FFFF0800");
    EXPECT_TRUE(readFails(hex("0100") + classHeader + hex("0800") + "CWPapieR" + valid.mid(16)));
    EXPECT_TRUE(readFails(hex("0100") + classHeader + hex("4000") + QByteArray(64, 'C')));
    EXPECT_TRUE(readFails(hex("0100"
                              "FFFF0900"
                              "0800") +
                          "CWPapier" + valid.mid(16)));
    EXPECT_TRUE(readFails(hex("0100"
                              "FFFF0000"
                              "0800") +
                          "CWPapier" + valid.mid(16)));
    // The item list holds a quotation instead of an item.
    EXPECT_TRUE(readFails(hex("0100"
                              "FFFF0100"
                              "0500") +
                          "CKurs" + hex("000000000000000000000000")));
    // Class numbers that are not assigned, or that number an object.
    EXPECT_TRUE(readFails(hex("01000180")));
    EXPECT_TRUE(readFails(hex("0100"
                              "FF7F"
                              "01000080")));
    EXPECT_TRUE(readFails(hex("0200") + valid.mid(2) + hex("0280")));
    // Object references and the null object are never written.
    EXPECT_TRUE(readFails(hex("01000100")));
    EXPECT_TRUE(readFails(hex("01000000")));

    // A quotation class with another schema.
    QByteArray schema = valid;
    const int kurs = schema.indexOf("CKurs");
    ASSERT_GT(kurs, 4);
    schema[kurs - 4] = 2;
    EXPECT_TRUE(readFails(schema));
}

TEST(ArchiveFormat, AbsurdCountsFailWithoutAllocating)
{
    // Four billion items, four billion quotations, a four-gigabyte string: all with no bytes behind.
    EXPECT_TRUE(readFails(hex("FFFFFFFFFFFF")));
    QByteArray quotations = fileBytes("version8.tkr");
    const int count = quotations.indexOf(hex("0200FFFF0100"));
    ASSERT_GT(count, 0);
    quotations = quotations.left(count) + hex("FFFFFFFFFFFF");
    EXPECT_TRUE(readFails(quotations));
    EXPECT_TRUE(readFails(hex("0100"
                              "FFFF08000800") +
                          "CWPapier" + hex("FFFFFFFFFFFFFF")));
    EXPECT_TRUE(readFails(hex("0100"
                              "FFFF08000800") +
                          "CWPapier" + hex("FFFEFFFFFFFFFFFFFF")));
}

TEST(ArchiveFormat, TimesOutside32BitsAreRefused)
{
    PortfolioItem item = itemNamed("Future", {{4102444800, 1.0}});
    QByteArray out = "old";
    std::string error;
    const PortfolioItem* list[] = {&item};
    EXPECT_FALSE(succeeded(PortfolioArchive::write({list[0]}), out, error));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_NE(error.find("\"Future\""), std::string::npos);
    EXPECT_NE(error.find("4102444800"), std::string::npos);

    item.quotations = {{-2147483648LL, 1.0}, {2147483647, 2.0}};
    item.periodEnd = -2147483649LL;
    EXPECT_FALSE(succeeded(PortfolioArchive::write({list[0]}), out, error));
    item.periodEnd = 0;
    EXPECT_TRUE(succeeded(PortfolioArchive::write({list[0]}), out, error));
    EXPECT_EQ(readItems(out)[0].quotations, item.quotations);
}
