#include "core/model/PortfolioDocument.h"
#include "core/base/TextCompare.h"

#include "core/model/PortfolioArchive.h"
#include "core/model/PortfolioFile.h"
#include "core/settings/GeneralOptions.h"

#include <algorithm>

namespace {

constexpr time_t kNewRecordDistance = 5 * 60;

bool isStrictlyAscending(const std::vector<Quotation>& history)
{
    return std::adjacent_find(history.begin(), history.end(),
                              [](const Quotation& a, const Quotation& b) { return a.time >= b.time; }) == history.end();
}

// Price files list their lines oldest or newest first: such a run needs no sort. A strictly descending run is
// reversed; with equal times the later record must stay last, so any other order is sorted stably.
void sortByTimeStably(std::vector<Quotation>& records)
{
    const auto earlier = [](const Quotation& a, const Quotation& b) { return a.time < b.time; };
    if (std::is_sorted(records.begin(), records.end(), earlier))
        return;
    const auto notLater = [](const Quotation& a, const Quotation& b) { return a.time <= b.time; };
    if (std::adjacent_find(records.begin(), records.end(), notLater) == records.end()) {
        std::reverse(records.begin(), records.end());
        return;
    }
    std::stable_sort(records.begin(), records.end(), earlier);
}

bool sameName(const std::string& a, const std::string& b)
{
    return compareIgnoringCase(a, b) == 0;
}

bool isShown(const std::string& name, const std::vector<std::string>& shownNames)
{
    return std::any_of(shownNames.begin(), shownNames.end(),
                       [&](const std::string& shown) { return sameName(shown, name); });
}

} // namespace

std::string pastedItemName(const std::string& name, const std::vector<std::string>& shownNames)
{
    if (!isShown(name, shownNames))
        return name;
    const std::string copy = "Copy of " + name;
    if (!isShown(copy, shownNames))
        return copy;
    for (int i = 1;; ++i) {
        std::string candidate = copy + " (" + std::to_string(i) + ")";
        if (!isShown(candidate, shownNames))
            return candidate;
    }
}

PortfolioDocument::PortfolioDocument(int numberDownloads)
    : m_numberDownloads(std::clamp(numberDownloads, 1, kMaxDownloadSlots))
{
}

int PortfolioDocument::itemCount() const
{
    return static_cast<int>(m_items.size());
}

PortfolioItem& PortfolioDocument::item(int pos)
{
    return m_items.at(static_cast<size_t>(pos));
}

const PortfolioItem& PortfolioDocument::item(int pos) const
{
    return m_items.at(static_cast<size_t>(pos));
}

PortfolioDocument::ItemId PortfolioDocument::itemId(int pos) const
{
    return m_ids.at(static_cast<size_t>(pos));
}

int PortfolioDocument::positionOf(ItemId id) const
{
    const auto found = std::find(m_ids.begin(), m_ids.end(), id);
    return found == m_ids.end() ? -1 : static_cast<int>(found - m_ids.begin());
}

int PortfolioDocument::investedAmountHistoryPosition() const
{
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [](const PortfolioItem& item) { return item.isInvestedAmountHistory != 0; });
    return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

bool PortfolioDocument::isModified() const
{
    return m_modified;
}

void PortfolioDocument::setModified(bool modified)
{
    m_modified = modified;
    notify(kAllItems);
}

int PortfolioDocument::addChangeListener(ChangeListener listener)
{
    m_listeners.emplace_back(m_nextListenerHandle, std::move(listener));
    return m_nextListenerHandle++;
}

void PortfolioDocument::removeChangeListener(int handle)
{
    std::erase_if(m_listeners, [handle](const auto& entry) { return entry.first == handle; });
}

void PortfolioDocument::notify(ItemId changed)
{
    // A copy: a listener may add or remove listeners while it is told.
    const auto listeners = m_listeners;
    for (const auto& [handle, listener] : listeners)
        listener(changed);
}

void PortfolioDocument::changed(ItemId item)
{
    m_modified = true;
    notify(item);
}

void PortfolioDocument::changedAt(int pos)
{
    changed(itemId(pos));
}

bool PortfolioDocument::isUpdating(ItemId id) const
{
    return m_updating.count(id) > 0;
}

void PortfolioDocument::setUpdating(ItemId id, bool updating)
{
    if (updating && positionOf(id) >= 0)
        m_updating.insert(id);
    else
        m_updating.erase(id);
}

bool PortfolioDocument::isValidPosition(int pos) const
{
    return pos >= 0 && pos < itemCount();
}

int PortfolioDocument::appendItem(PortfolioItem item)
{
    m_items.push_back(std::move(item));
    m_ids.push_back(m_nextId++);
    return itemCount() - 1;
}

void PortfolioDocument::newPortfolio()
{
    deleteContents();
    addInvestedAmountHistoryItem();
    setModified(false);
}

Status PortfolioDocument::openPortfolio(const std::string& path)
{
    // Emptied first, so that the old and the new items are never in memory together.
    emptyForOpening();
    return adoptPortfolio(PortfolioFile::load(path));
}

Status PortfolioDocument::adoptPortfolio(Result<std::vector<PortfolioItem>> read)
{
    emptyForOpening();
    if (!read)
        return read.status();
    for (PortfolioItem& item : *read)
        appendItem(std::move(item));
    setModified(false);
    return Status::ok();
}

void PortfolioDocument::emptyForOpening()
{
    if (m_items.empty())
        return;
    deleteContents();
    setModified(false);
}

Status PortfolioDocument::savePortfolio(const std::string& path, std::string* backupFailure)
{
    std::string failure;
    const int keepDays = GeneralOptions::readOptions().BackupDays;
    if (Status saved = PortfolioFile::saveKeepingBackups(path, m_items, keepDays, failure); !saved)
        return saved;
    if (backupFailure)
        *backupFailure = failure;
    setModified(false);
    return Status::ok();
}

void PortfolioDocument::deleteContents()
{
    m_items.clear();
    m_ids.clear();
    m_updating.clear();
}

int PortfolioDocument::addItem(PortfolioItem item)
{
    const int pos = appendItem(std::move(item));
    changed();
    return pos;
}

int PortfolioDocument::insertNewItem(const PortfolioItem& fields)
{
    PortfolioItem item = fields;
    item.isInvestedAmountHistory = 0;
    return addItem(std::move(item));
}

void PortfolioDocument::updateItem(int pos, const PortfolioItem& fields)
{
    if (!isValidPosition(pos))
        return;
    PortfolioItem& target = m_items[pos];
    std::vector<Quotation> quotations = std::move(target.quotations);
    const int32_t history = target.isInvestedAmountHistory;
    target = fields;
    target.quotations = std::move(quotations);
    target.isInvestedAmountHistory = history;
    changedAt(pos);
}

void PortfolioDocument::deleteItems(const std::vector<ItemId>& ids)
{
    for (ItemId id : ids) {
        const int pos = positionOf(id);
        if (pos < 0 || isUpdating(id) || m_items[pos].isInvestedAmountHistory)
            continue;
        m_items.erase(m_items.begin() + pos);
        m_ids.erase(m_ids.begin() + pos);
    }
    changed();
}

int PortfolioDocument::addItemQuotation(int pos, double value, time_t time)
{
    if (!isValidPosition(pos))
        return -1;
    PortfolioItem& target = m_items[pos];
    const int index = target.addQuotation(time, value);
    if (index == static_cast<int>(target.quotations.size()) - 1 && !target.isInvestedAmountHistory &&
        target.quantity > 0)
        recordInvestedAmount();
    changedAt(pos);
    return index;
}

bool PortfolioDocument::applyDownloadedQuotation(ItemId id, double value, time_t time)
{
    const int pos = positionOf(id);
    if (pos < 0)
        return false;
    value = centsCorrected(m_items[pos], value);
    m_updating.erase(id);
    addItemQuotation(pos, value, time);
    return true;
}

double PortfolioDocument::centsCorrected(const PortfolioItem& item, double value)
{
    const double last = item.lastValue().value_or(0.0);
    if (last > 0 && value > 80 * last && value < 150 * last)
        return value * 0.01;
    return value;
}

void PortfolioDocument::recordInvestedAmount()
{
    double sum = 0.0;
    time_t latest = PortfolioItem::noQuotationTime();
    for (const PortfolioItem& item : m_items) {
        if (item.quantity == 0 || item.quotations.empty())
            continue;
        sum += item.quotations.back().value * item.quantity;
        latest = std::max(latest, item.quotations.back().time);
    }
    const int historyPos = investedAmountHistoryPosition();
    if (historyPos < 0)
        return;
    PortfolioItem& history = m_items[historyPos];
    const time_t last = history.lastTime().value_or(PortfolioItem::noQuotationTime());
    if (latest < last)
        return;
    if ((latest - last) / 60 >= kNewRecordDistance / 60) {
        history.addQuotation(latest, sum);
    } else if (!history.quotations.empty()) {
        history.quotations.back() = Quotation{latest, sum};
    }
    changedAt(historyPos);
}

void PortfolioDocument::addInvestedAmountHistoryItem()
{
    appendItem(PortfolioItem::newInvestedAmountHistory(std::time(nullptr)));
}

bool PortfolioDocument::deleteQuotation(int pos, int index)
{
    if (!isValidPosition(pos))
        return false;
    std::vector<Quotation>& history = m_items[pos].quotations;
    if (index < 0 || index >= static_cast<int>(history.size()))
        return false;
    history.erase(history.begin() + index);
    changedAt(pos);
    return true;
}

void PortfolioDocument::deleteAllQuotations(int pos)
{
    if (!isValidPosition(pos))
        return;
    m_items[pos].quotations.clear();
    changedAt(pos);
}

int PortfolioDocument::replaceQuotation(int pos, int index, double value, time_t time)
{
    if (!deleteQuotation(pos, index))
        return -1;
    return addItemQuotation(pos, value, time);
}

bool PortfolioDocument::splitQuotations(int pos, int index, double factor)
{
    if (!isValidPosition(pos) || !(factor > 0))
        return false;
    PortfolioItem& target = m_items[pos];
    target.quantity *= factor;
    target.avgBuyPrice /= factor;
    target.alarmAbove /= factor;
    target.alarmBelow /= factor;
    if (index >= 0 && index < static_cast<int>(target.quotations.size())) {
        for (int k = 0; k <= index; ++k)
            target.quotations[k].value /= factor;
    }
    changedAt(pos);
    return true;
}

void PortfolioDocument::invertQuotations(int pos)
{
    if (!isValidPosition(pos))
        return;
    // A zero value has no inverse; it stays as it is rather than becoming infinite.
    for (Quotation& record : m_items[pos].quotations) {
        if (record.value != 0)
            record.value = 1 / record.value;
    }
    changedAt(pos);
}

void PortfolioDocument::multiplyQuotations(int pos, int otherPos)
{
    if (!isValidPosition(pos) || !isValidPosition(otherPos))
        return;
    const std::vector<Quotation> rates = m_items[otherPos].quotations;
    std::vector<Quotation>& history = m_items[pos].quotations;
    if (!history.empty() && !rates.empty()) {
        // The rates are walked alongside the ascending history; the newest rate not later than
        // each record applies.
        size_t next = 0;
        for (Quotation& record : history) {
            while (next < rates.size() && rates[next].time <= record.time)
                ++next;
            if (next > 0)
                record.value *= rates[next - 1].value;
        }
    }
    changedAt(pos);
}

void PortfolioDocument::mergeQuotations(int pos, std::vector<Quotation> inFileOrder)
{
    if (!isValidPosition(pos))
        return;
    // A time the file cannot store would make every later save fail.
    std::erase_if(inFileOrder, [](const Quotation& record) { return !isStorableTime(record.time); });
    PortfolioItem& target = m_items[pos];
    if (!isStrictlyAscending(target.quotations)) {
        for (const Quotation& record : inFileOrder)
            target.addQuotation(record.time, record.value);
    } else {
        // Adding to a strictly ascending history inserts or replaces by time, the later add
        // winning: keep the last record per time, then merge.
        std::vector<Quotation> added = inFileOrder;
        sortByTimeStably(added);
        std::vector<Quotation> lastPerTime;
        lastPerTime.reserve(added.size());
        for (const Quotation& record : added) {
            if (!lastPerTime.empty() && lastPerTime.back().time == record.time)
                lastPerTime.back() = record;
            else
                lastPerTime.push_back(record);
        }
        std::vector<Quotation> merged;
        merged.reserve(target.quotations.size() + lastPerTime.size());
        auto old = target.quotations.begin();
        for (const Quotation& record : lastPerTime) {
            while (old != target.quotations.end() && old->time < record.time)
                merged.push_back(*old++);
            if (old != target.quotations.end() && old->time == record.time)
                ++old;
            merged.push_back(record);
        }
        merged.insert(merged.end(), old, target.quotations.end());
        target.quotations = std::move(merged);
    }
    if (!target.isInvestedAmountHistory && target.quantity > 0 && !inFileOrder.empty())
        recordInvestedAmount();
    changedAt(pos);
}

Result<QByteArray> PortfolioDocument::copyItems(const std::vector<ItemId>& ids) const
{
    std::vector<const PortfolioItem*> items;
    for (ItemId id : ids) {
        const int pos = positionOf(id);
        if (pos >= 0)
            items.push_back(&m_items[pos]);
    }
    return PortfolioArchive::write(items);
}

Result<std::vector<int>> PortfolioDocument::pasteItems(const QByteArray& stream, std::vector<std::string> shownNames)
{
    std::vector<PortfolioItem> items;
    if (!PortfolioArchive::read(stream.constData(), static_cast<size_t>(stream.size()), items, nullptr))
        return Status::error(Status::Code::FormatError, PortfolioArchive::kClipboardReadError);
    std::vector<int> positions;
    for (PortfolioItem& item : items) {
        item.name = pastedItemName(item.name, shownNames);
        item.isInvestedAmountHistory = 0;
        shownNames.push_back(item.name);
        positions.push_back(addItem(std::move(item)));
    }
    return positions;
}
