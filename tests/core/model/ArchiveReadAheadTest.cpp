// SPDX-License-Identifier: GPL-3.0-or-later
#include "WrittenItems.h"
#include "core/base/ReadAhead.h"
#include "core/model/ArchiveReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Two items whose quotations and a note longer than the smaller headrooms straddle chunks.
QByteArray portfolioBytes()
{
    PortfolioItem first = PortfolioItem::newItem("First", 0, 0);
    first.note = std::string(300, 'n');
    for (int k = 0; k < 400; ++k)
        first.quotations.push_back({100000 + k * 60, k * 0.5});
    PortfolioItem second = PortfolioItem::newItem("Second", 0, 0);
    second.quotations = {{5, 1.25}, {6, 2.5}};
    return writeItems({first, second});
}

// Reads `size` bytes of which the source holds only `available`, in chunks of `chunk` bytes.
bool readAhead(const QByteArray& bytes, size_t size, size_t available, size_t chunk, size_t headroom,
               std::vector<PortfolioItem>& items)
{
    size_t offset = 0;
    ReadAhead chunks(
        [&](char* into, size_t max) {
            const size_t n = std::min(max, available - offset);
            std::memcpy(into, bytes.constData() + offset, n);
            offset += n;
            return n;
        },
        size, chunk, headroom);
    ArchiveReader in(chunks);
    return PortfolioArchive::read(in, items, nullptr);
}

} // namespace

TEST(ArchiveReadAhead, ChunksOfAnySizeReadAsTheWholeStream)
{
    const QByteArray bytes = portfolioBytes();
    std::vector<PortfolioItem> expected;
    ASSERT_TRUE(PortfolioArchive::read(bytes.constData(), size_t(bytes.size()), expected, nullptr));
    const struct {
        size_t chunk;
        size_t headroom;
    } layouts[] = {{1, 0}, {5, 13}, {14, 14}, {64, 4}, {333, 100}, {size_t(bytes.size()), 0}, {1 << 16, 4096}};
    for (const auto& layout : layouts) {
        std::vector<PortfolioItem> items;
        EXPECT_TRUE(readAhead(bytes, size_t(bytes.size()), size_t(bytes.size()), layout.chunk, layout.headroom, items))
            << layout.chunk << "/" << layout.headroom;
        ASSERT_EQ(items.size(), expected.size());
        for (size_t k = 0; k < items.size(); ++k) {
            EXPECT_EQ(items[k].note, expected[k].note) << layout.chunk << "/" << layout.headroom;
            EXPECT_EQ(items[k].quotations, expected[k].quotations) << layout.chunk << "/" << layout.headroom;
        }
    }
}

TEST(ArchiveReadAhead, StreamsThatEndEarlyAreRefused)
{
    const QByteArray bytes = portfolioBytes();
    const size_t whole = size_t(bytes.size());
    const size_t inQuotations = whole / 2;
    const struct {
        size_t size;
        size_t available;
    } cases[] = {
        {0, 0}, // empty
        {whole, whole - 1}, // the source ends before the size it was opened with
        {whole, inQuotations}, // ... in the middle of a run of quotations
        {whole, 0}, // ... at once
        {inQuotations, inQuotations}, // a file cut there
        {whole - 1, whole - 1}, // ... or one byte short
    };
    for (const size_t chunk : {size_t(7), size_t(1024)}) {
        for (const auto& c : cases) {
            std::vector<PortfolioItem> items;
            EXPECT_FALSE(readAhead(bytes, c.size, c.available, chunk, 16, items)) << c.size << "/" << c.available;
            EXPECT_TRUE(items.empty());
        }
    }
}
