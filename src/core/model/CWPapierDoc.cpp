#include "core/model/CWPapierDoc.h"
#include "core/base/TextCompare.h"

#include "core/model/PortfolioArchive.h"
#include "core/model/PortfolioFile.h"

#include <algorithm>

namespace {

constexpr time_t kNewRecordDistance = 5 * 60;

bool isStrictlyAscending(const std::vector<CKurs>& history)
{
    return std::adjacent_find(history.begin(), history.end(),
                              [](const CKurs& a, const CKurs& b) { return a.time >= b.time; }) == history.end();
}

// Price files list their lines oldest or newest first: such a run needs no sort. A strictly descending run is
// reversed; with equal times the later record must stay last, so any other order is sorted stably.
void sortByTimeStably(std::vector<CKurs>& records)
{
    const auto earlier = [](const CKurs& a, const CKurs& b) { return a.time < b.time; };
    if (std::is_sorted(records.begin(), records.end(), earlier))
        return;
    const auto notLater = [](const CKurs& a, const CKurs& b) { return a.time <= b.time; };
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

CWPapierDoc::CWPapierDoc(int numberDownloads) : m_numberDownloads(std::clamp(numberDownloads, 1, kMaxDownloadSlots)) { }

int CWPapierDoc::itemCount() const
{
    return static_cast<int>(m_items.size());
}

CWPapier& CWPapierDoc::item(int pos)
{
    return m_items.at(static_cast<size_t>(pos));
}

const CWPapier& CWPapierDoc::item(int pos) const
{
    return m_items.at(static_cast<size_t>(pos));
}

CWPapierDoc::ItemId CWPapierDoc::itemId(int pos) const
{
    return m_ids.at(static_cast<size_t>(pos));
}

int CWPapierDoc::positionOf(ItemId id) const
{
    const auto found = std::find(m_ids.begin(), m_ids.end(), id);
    return found == m_ids.end() ? -1 : static_cast<int>(found - m_ids.begin());
}

int CWPapierDoc::investedAmountHistoryPosition() const
{
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [](const CWPapier& item) { return item.isInvestedAmountHistory != 0; });
    return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

bool CWPapierDoc::isModified() const
{
    return m_modified;
}

void CWPapierDoc::setModified(bool modified)
{
    m_modified = modified;
    notify(kAllItems);
}

int CWPapierDoc::addChangeListener(ChangeListener listener)
{
    m_listeners.emplace_back(m_nextListenerHandle, std::move(listener));
    return m_nextListenerHandle++;
}

void CWPapierDoc::removeChangeListener(int handle)
{
    std::erase_if(m_listeners, [handle](const auto& entry) { return entry.first == handle; });
}

void CWPapierDoc::notify(ItemId changed)
{
    // A copy: a listener may add or remove listeners while it is told.
    const auto listeners = m_listeners;
    for (const auto& [handle, listener] : listeners)
        listener(changed);
}

void CWPapierDoc::changed(ItemId item)
{
    m_modified = true;
    notify(item);
}

void CWPapierDoc::changedAt(int pos)
{
    changed(itemId(pos));
}

bool CWPapierDoc::isUpdating(ItemId id) const
{
    return m_updating.count(id) > 0;
}

void CWPapierDoc::setUpdating(ItemId id, bool updating)
{
    if (updating && positionOf(id) >= 0)
        m_updating.insert(id);
    else
        m_updating.erase(id);
}

bool CWPapierDoc::isValidPosition(int pos) const
{
    return pos >= 0 && pos < itemCount();
}

int CWPapierDoc::appendItem(CWPapier item)
{
    m_items.push_back(std::move(item));
    m_ids.push_back(m_nextId++);
    return itemCount() - 1;
}

void CWPapierDoc::NewPortfolio()
{
    DeleteContents();
    AddInvestedAmountHistoryItem();
    setModified(false);
}

Status CWPapierDoc::OpenPortfolio(const std::string& path)
{
    // Emptied first, so that the old and the new items are never in memory together.
    emptyForOpening();
    return AdoptPortfolio(PortfolioFile::load(path));
}

Status CWPapierDoc::AdoptPortfolio(Result<std::vector<CWPapier>> read)
{
    emptyForOpening();
    if (!read)
        return read.status();
    for (CWPapier& item : *read)
        appendItem(std::move(item));
    setModified(false);
    return Status::ok();
}

void CWPapierDoc::emptyForOpening()
{
    if (m_items.empty())
        return;
    DeleteContents();
    setModified(false);
}

Status CWPapierDoc::SavePortfolio(const std::string& path)
{
    if (Status saved = PortfolioFile::save(path, m_items); !saved)
        return saved;
    setModified(false);
    return Status::ok();
}

void CWPapierDoc::DeleteContents()
{
    m_items.clear();
    m_ids.clear();
    m_updating.clear();
}

int CWPapierDoc::AddItem(CWPapier item)
{
    const int pos = appendItem(std::move(item));
    changed();
    return pos;
}

int CWPapierDoc::InsertNewItem(const CWPapier& fields)
{
    CWPapier item = fields;
    item.isInvestedAmountHistory = 0;
    return AddItem(std::move(item));
}

void CWPapierDoc::UpdateItem(int pos, const CWPapier& fields)
{
    if (!isValidPosition(pos))
        return;
    CWPapier& target = m_items[pos];
    std::vector<CKurs> quotations = std::move(target.quotations);
    const int32_t history = target.isInvestedAmountHistory;
    target = fields;
    target.quotations = std::move(quotations);
    target.isInvestedAmountHistory = history;
    changedAt(pos);
}

void CWPapierDoc::DeleteItems(const std::vector<ItemId>& ids)
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

int CWPapierDoc::AddItemQuotation(int pos, double value, time_t time)
{
    if (!isValidPosition(pos))
        return -1;
    CWPapier& target = m_items[pos];
    const int index = target.AddQuotation(time, value);
    if (index == static_cast<int>(target.quotations.size()) - 1 && !target.isInvestedAmountHistory &&
        target.quantity > 0)
        RecordInvestedAmount();
    changedAt(pos);
    return index;
}

bool CWPapierDoc::ApplyDownloadedQuotation(ItemId id, double value, time_t time)
{
    const int pos = positionOf(id);
    if (pos < 0)
        return false;
    value = CentsCorrected(m_items[pos], value);
    m_updating.erase(id);
    AddItemQuotation(pos, value, time);
    return true;
}

double CWPapierDoc::CentsCorrected(const CWPapier& item, double value)
{
    const double last = item.GetLastValue().value_or(0.0);
    if (last > 0 && value > 80 * last && value < 150 * last)
        return value * 0.01;
    return value;
}

void CWPapierDoc::RecordInvestedAmount()
{
    double sum = 0.0;
    time_t latest = CWPapier::noQuotationTime();
    for (const CWPapier& item : m_items) {
        if (item.quantity == 0 || item.quotations.empty())
            continue;
        sum += item.quotations.back().value * item.quantity;
        latest = std::max(latest, item.quotations.back().time);
    }
    const int historyPos = investedAmountHistoryPosition();
    if (historyPos < 0)
        return;
    CWPapier& history = m_items[historyPos];
    const time_t last = history.GetLastTime().value_or(CWPapier::noQuotationTime());
    if (latest < last)
        return;
    if ((latest - last) / 60 >= kNewRecordDistance / 60) {
        history.AddQuotation(latest, sum);
    } else if (!history.quotations.empty()) {
        history.quotations.back() = CKurs{latest, sum};
    }
    changedAt(historyPos);
}

void CWPapierDoc::AddInvestedAmountHistoryItem()
{
    appendItem(CWPapier::newInvestedAmountHistory(std::time(nullptr)));
}

bool CWPapierDoc::DeleteQuotation(int pos, int index)
{
    if (!isValidPosition(pos))
        return false;
    std::vector<CKurs>& history = m_items[pos].quotations;
    if (index < 0 || index >= static_cast<int>(history.size()))
        return false;
    history.erase(history.begin() + index);
    changedAt(pos);
    return true;
}

void CWPapierDoc::DeleteAllQuotations(int pos)
{
    if (!isValidPosition(pos))
        return;
    m_items[pos].quotations.clear();
    changedAt(pos);
}

int CWPapierDoc::ReplaceQuotation(int pos, int index, double value, time_t time)
{
    if (!DeleteQuotation(pos, index))
        return -1;
    return AddItemQuotation(pos, value, time);
}

bool CWPapierDoc::SplitQuotations(int pos, int index, double factor)
{
    if (!isValidPosition(pos) || !(factor > 0))
        return false;
    CWPapier& target = m_items[pos];
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

void CWPapierDoc::InvertQuotations(int pos)
{
    if (!isValidPosition(pos))
        return;
    // A zero value has no inverse; it stays as it is rather than becoming infinite.
    for (CKurs& record : m_items[pos].quotations) {
        if (record.value != 0)
            record.value = 1 / record.value;
    }
    changedAt(pos);
}

void CWPapierDoc::MultiplyQuotations(int pos, int otherPos)
{
    if (!isValidPosition(pos) || !isValidPosition(otherPos))
        return;
    const std::vector<CKurs> rates = m_items[otherPos].quotations;
    std::vector<CKurs>& history = m_items[pos].quotations;
    if (!history.empty() && !rates.empty()) {
        // The rates are walked alongside the ascending history; the newest rate not later than
        // each record applies.
        size_t next = 0;
        for (CKurs& record : history) {
            while (next < rates.size() && rates[next].time <= record.time)
                ++next;
            if (next > 0)
                record.value *= rates[next - 1].value;
        }
    }
    changedAt(pos);
}

void CWPapierDoc::MergeQuotations(int pos, std::vector<CKurs> inFileOrder)
{
    if (!isValidPosition(pos))
        return;
    // A time the file cannot store would make every later save fail.
    std::erase_if(inFileOrder, [](const CKurs& record) { return !isStorableTime(record.time); });
    CWPapier& target = m_items[pos];
    if (!isStrictlyAscending(target.quotations)) {
        for (const CKurs& record : inFileOrder)
            target.AddQuotation(record.time, record.value);
    } else {
        // Adding to a strictly ascending history inserts or replaces by time, the later add
        // winning: keep the last record per time, then merge.
        std::vector<CKurs> added = inFileOrder;
        sortByTimeStably(added);
        std::vector<CKurs> lastPerTime;
        lastPerTime.reserve(added.size());
        for (const CKurs& record : added) {
            if (!lastPerTime.empty() && lastPerTime.back().time == record.time)
                lastPerTime.back() = record;
            else
                lastPerTime.push_back(record);
        }
        std::vector<CKurs> merged;
        merged.reserve(target.quotations.size() + lastPerTime.size());
        auto old = target.quotations.begin();
        for (const CKurs& record : lastPerTime) {
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
        RecordInvestedAmount();
    changedAt(pos);
}

Result<QByteArray> CWPapierDoc::CopyItems(const std::vector<ItemId>& ids) const
{
    std::vector<const CWPapier*> items;
    for (ItemId id : ids) {
        const int pos = positionOf(id);
        if (pos >= 0)
            items.push_back(&m_items[pos]);
    }
    return PortfolioArchive::write(items);
}

Result<std::vector<int>> CWPapierDoc::PasteItems(const QByteArray& stream, std::vector<std::string> shownNames)
{
    std::vector<CWPapier> items;
    if (!PortfolioArchive::read(stream.constData(), static_cast<size_t>(stream.size()), items, nullptr))
        return Status::error(Status::Code::FormatError, PortfolioArchive::kClipboardReadError);
    std::vector<int> positions;
    for (CWPapier& item : items) {
        item.name = pastedItemName(item.name, shownNames);
        item.isInvestedAmountHistory = 0;
        shownNames.push_back(item.name);
        positions.push_back(AddItem(std::move(item)));
    }
    return positions;
}
