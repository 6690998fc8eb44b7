// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ArchiveReader.h"
#include "core/model/PortfolioArchive.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Reads the input the way files are read: streamed, here in small uneven pieces so that every value
// can straddle a refill of the buffer.
bool readStreamed(const uint8_t* data, size_t size, std::vector<PortfolioItem>& items)
{
    size_t offset = 0;
    size_t piece = 1;
    ArchiveReader in(
        [&](char* into, size_t max) {
            const size_t n = std::min({max, size - offset, piece});
            std::memcpy(into, data + offset, n);
            offset += n;
            piece = piece % 13 + 1;
            return n;
        },
        size);
    return PortfolioArchive::read(in, items, nullptr);
}

} // namespace

// Any byte sequence either reads or is refused; what reads writes back and reads again to the
// same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<PortfolioItem> items;
    const bool inMemory = PortfolioArchive::read(reinterpret_cast<const char*>(data), size, items, nullptr);
    std::vector<PortfolioItem> streamed;
    if (readStreamed(data, size, streamed) != inMemory)
        __builtin_trap();
    if (!inMemory)
        return 0;
    std::vector<const PortfolioItem*> list;
    for (const PortfolioItem& item : items)
        list.push_back(&item);
    const Result<QByteArray> written = PortfolioArchive::write(list);
    if (!written)
        __builtin_trap();
    std::vector<PortfolioItem> again;
    if (!PortfolioArchive::read(written->constData(), static_cast<size_t>(written->size()), again, nullptr))
        __builtin_trap();
    list.clear();
    for (const PortfolioItem& item : again)
        list.push_back(&item);
    const Result<QByteArray> rewritten = PortfolioArchive::write(list);
    if (!rewritten || *rewritten != *written)
        __builtin_trap();
    return 0;
}
