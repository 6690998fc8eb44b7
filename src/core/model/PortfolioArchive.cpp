// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioArchive.h"

#include "core/model/ArchiveReader.h"
#include "core/model/ArchiveWriter.h"

#include <array>
#include <cstdint>
#include <limits>

namespace {

constexpr size_t kQuotationBytes = 14; // class reference word and body
constexpr int kQuantityField = 31;

// The fields of an item body by their number in the version-8 order.
template <class Io, class Item>
void serializeField(Io& io, Item& item, int field)
{
    auto& s = item.server;
    switch (field) {
    case 1:
        io.text(item.name);
        break;
    case 2:
        io.text(item.symbol);
        break;
    case 3:
        io.text(item.note);
        break;
    case 4:
        io.number(item.isInvestedAmountHistory);
        break;
    case 5:
        io.text(s.name);
        break;
    case 6:
        io.text(s.URL);
        break;
    case 7:
        io.number(s.Timeout);
        break;
    case 8:
        io.text(s.TAUSEND);
        break;
    case 9:
        io.text(s.DECIMAL);
        break;
    case 10:
        io.number(s.Format);
        break;
    case 11:
        io.text(s.Text_before_Value);
        break;
    case 12:
        io.number(s.Nr_HTML_before_Value);
        break;
    case 13:
        io.number(s.Numbers_before_Value);
        break;
    case 14:
        io.number(s.NoCaseSensitiv);
        break;
    case 15:
        io.number(s.Filtering);
        break;
    case 16:
        io.text(s.RegExp);
        break;
    case 17:
        io.number(s.RegExpQuotationIndex);
        break;
    case 18:
        io.number(s.bRegExpExtractDate);
        break;
    case 19:
        io.number(s.RegExpDayIndex);
        break;
    case 20:
        io.number(s.RegExpMonthIndex);
        break;
    case 21:
        io.number(s.RegExpYearIndex);
        break;
    case 22:
        io.number(s.bRegExpExtractTime);
        break;
    case 23:
        io.number(s.RegExpHourIndex);
        break;
    case 24:
        io.number(s.RegExpMinuteIndex);
        break;
    case 25:
        io.number(item.alarmBelowEnabled);
        break;
    case 26:
        io.number(item.alarmAboveEnabled);
        break;
    case 27:
        io.number(item.alarmDiffEnabled);
        break;
    case 28:
        io.real(item.alarmBelow);
        break;
    case 29:
        io.real(item.alarmAbove);
        break;
    case 30:
        io.real(item.alarmDiffPercent);
        break;
    case 31:
        io.real(item.quantity);
        break;
    case 32:
        io.real(item.avgBuyPrice);
        break;
    case 33:
        io.number(item.chartOptionsSet);
        break;
    case 34:
        io.number(item.showGridLines);
        break;
    case 35:
        io.number(item.graphValues);
        break;
    case 36:
        io.number(item.axisValues);
        break;
    case 37:
        io.time(item.periodStart);
        break;
    case 38:
        io.time(item.periodEnd);
        break;
    case 39:
        io.number(item.usePeriodStart);
        break;
    case 40:
        io.number(item.usePeriodEnd);
        break;
    case 41:
        io.colour(item.chartColour);
        break;
    case 42:
        io.quotations(item.quotations);
        break;
    default:
        break;
    }
}

// Field sequences of the item versions, as ranges [first, last] of version-8 field numbers.
using Range = std::array<int, 2>;
const std::vector<Range> kFieldOrder[9] = {
    {},
    {{1, 1}, {6, 6}, {2, 2}, {5, 5}, {7, 7}, {10, 14}, {33, 40}, {42, 42}},
    {{1, 1}, {6, 6}, {8, 9}, {2, 2}, {5, 5}, {7, 7}, {10, 14}, {25, 26}, {28, 29}, {31, 31}, {33, 40}, {42, 42}},
    {{1, 1}, {6, 6}, {8, 9}, {2, 2}, {5, 5}, {7, 7}, {10, 14}, {25, 26}, {28, 29}, {31, 31}, {33, 40}, {42, 42}},
    {{1, 1}, {6, 6}, {8, 9}, {2, 2}, {5, 5}, {7, 7}, {10, 14}, {25, 26}, {28, 29}, {31, 40}, {42, 42}},
    {{1, 1}, {6, 6}, {8, 9}, {2, 2}, {5, 5}, {7, 7}, {10, 14}, {25, 26}, {28, 29}, {31, 42}},
    {{1, 1}, {6, 6}, {8, 9}, {2, 3}, {5, 5}, {7, 7}, {10, 14}, {25, 42}},
    {{1, 3}, {5, 42}},
    {{1, 42}},
};

class ItemWriter {
public:
    explicit ItemWriter(ArchiveWriter& out) : m_out(out) { }
    void text(const std::string& value) { m_out.text(value); }
    void number(int32_t value) { m_out.number(value); }
    void real(double value) { m_out.real(value); }
    void time(time_t value) { m_out.time(value); }
    void colour(uint32_t value) { m_out.colour(value); }
    void quotations(const std::vector<Quotation>& history) { m_out.quotations(history); }

private:
    ArchiveWriter& m_out;
};

class ItemReader {
public:
    explicit ItemReader(ArchiveReader& in) : m_in(in) { }
    void text(std::string& value) { value = m_in.text(); }
    void number(int32_t& value) { value = m_in.number(); }
    void real(double& value) { value = m_in.real(); }
    void time(time_t& value) { value = m_in.time(); }
    void colour(uint32_t& value) { value = m_in.colour(); }
    void quotations(std::vector<Quotation>& history) { m_in.quotations(history); }

private:
    ArchiveReader& m_in;
};

// An item with the values that fields absent from older versions take.
PortfolioItem itemWithAbsentDefaults()
{
    PortfolioItem item;
    item.server.DECIMAL = ",";
    item.chartColour = 0xAA0000;
    item.alarmDiffPercent = 0.0;
    return item;
}

bool readItem(ArchiveReader& in, PortfolioItem& item, int& version)
{
    version = in.objectStart(ArchiveReader::ItemClass);
    if (version < 1 || version > PortfolioArchive::kWrittenVersion)
        return false;
    item = itemWithAbsentDefaults();
    ItemReader reader(in);
    for (const Range& range : kFieldOrder[version]) {
        for (int field = range[0]; field <= range[1] && !in.failed(); ++field) {
            // Version 2 stored the quantity as an integer.
            if (version == 2 && field == kQuantityField)
                item.quantity = in.number();
            else
                serializeField(reader, item, field);
        }
    }
    return !in.failed();
}

// The writer hands its bytes over to `out` when it goes.
void writeItems(const std::vector<const PortfolioItem*>& items, size_t expectedSize, QByteArray& out)
{
    ArchiveWriter writer(out, expectedSize);
    ItemWriter itemWriter(writer);
    writer.count(static_cast<uint32_t>(items.size()));
    for (const PortfolioItem* item : items) {
        writer.objectStart(ArchiveWriter::ItemClass);
        for (int field = 1; field <= 42; ++field)
            serializeField(itemWriter, *item, field);
    }
}

} // namespace

namespace PortfolioArchive {

Status checkTimes(const PortfolioItem& item)
{
    std::vector<time_t> times = {item.periodStart, item.periodEnd};
    for (const Quotation& record : item.quotations) {
        if (!isStorableTime(record.time))
            times.push_back(record.time);
    }
    for (time_t time : times) {
        if (!isStorableTime(time))
            return Status::error(Status::Code::InvalidInput,
                                 "The item \"" + item.name + "\" holds the time " + std::to_string(time) +
                                     " (seconds since 1970), which a portfolio file cannot store: times must lie"
                                     " between 1901-12-13 20:45:52 and 2038-01-19 03:14:07 UTC.");
    }
    return Status::ok();
}

Result<QByteArray> write(const std::vector<const PortfolioItem*>& items)
{
    size_t quotations = 0;
    for (const PortfolioItem* item : items) {
        if (Status status = checkTimes(*item); !status)
            return status;
        quotations += item->quotations.size();
    }
    QByteArray out;
    writeItems(items, 2 + items.size() * 400 + quotations * kQuotationBytes, out);
    return out;
}

bool read(const char* data, size_t size, std::vector<PortfolioItem>& items, int* lastItemVersion)
{
    ArchiveReader in(data, size);
    return read(in, items, lastItemVersion);
}

bool read(ArchiveReader& in, std::vector<PortfolioItem>& items, int* lastItemVersion)
{
    items.clear();
    const bool read = PortfolioArchive::read(
        in, [&items](PortfolioItem& item) { items.push_back(std::move(item)); }, lastItemVersion);
    if (!read)
        items.clear();
    return read;
}

bool read(ArchiveReader& in, const std::function<void(PortfolioItem&)>& onItem, int* lastItemVersion)
{
    const uint32_t n = in.count();
    if (in.failed())
        return false;
    int version = 0;
    for (uint32_t k = 0; k < n; ++k) {
        // One item at a time: a caller that keeps none of them reuses the memory of the last one's quotations.
        PortfolioItem item;
        if (!readItem(in, item, version))
            return false;
        onItem(item);
    }
    // Bytes after the last item are damage too, not something to drop silently on the next save.
    if (in.remaining() != 0)
        return false;
    if (lastItemVersion)
        *lastItemVersion = version;
    return true;
}

} // namespace PortfolioArchive
