// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioDocument.h"

#include "core/model/ItemClipboard.h"
#include "core/model/PortfolioFile.h"
#include "core/model/QuotationHistory.h"
#include "core/settings/GeneralOptions.h"

#include <algorithm>
#include <numeric>

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
    // Ids are handed out in rising order to appended items and items are only ever removed, so the list stays
    // sorted: an update of thousands of items looks each one up many times.
    const auto found = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    return found == m_ids.end() || *found != id ? -1 : static_cast<int>(found - m_ids.begin());
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
    // Taken over whole: moved one by one, a large portfolio would be in memory twice, once at a doubled size.
    m_items = std::move(*read);
    m_ids.resize(m_items.size());
    std::iota(m_ids.begin(), m_ids.end(), m_nextId);
    m_nextId += m_items.size();
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
    if (const int historyPos = QuotationHistory::recordInvestedAmount(m_items); historyPos >= 0)
        changedAt(historyPos);
}

void PortfolioDocument::addInvestedAmountHistoryItem()
{
    appendItem(PortfolioItem::newInvestedAmountHistory(std::time(nullptr)));
}

bool PortfolioDocument::deleteQuotation(int pos, int index)
{
    if (!isValidPosition(pos) || !QuotationHistory::deleteQuotation(m_items[pos], index))
        return false;
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
    if (!isValidPosition(pos) || !QuotationHistory::splitQuotations(m_items[pos], index, factor))
        return false;
    changedAt(pos);
    return true;
}

void PortfolioDocument::invertQuotations(int pos)
{
    if (!isValidPosition(pos))
        return;
    QuotationHistory::invertQuotations(m_items[pos]);
    changedAt(pos);
}

void PortfolioDocument::multiplyQuotations(int pos, int otherPos)
{
    if (!isValidPosition(pos) || !isValidPosition(otherPos))
        return;
    QuotationHistory::multiplyQuotations(m_items[pos], m_items[otherPos].quotations);
    changedAt(pos);
}

void PortfolioDocument::mergeQuotations(int pos, std::vector<Quotation> inFileOrder)
{
    if (!isValidPosition(pos))
        return;
    PortfolioItem& target = m_items[pos];
    const size_t merged = QuotationHistory::mergeQuotations(target, std::move(inFileOrder));
    if (!target.isInvestedAmountHistory && target.quantity > 0 && merged > 0)
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
    return ItemClipboard::copy(items);
}

Result<std::vector<int>> PortfolioDocument::pasteItems(const QByteArray& stream, std::vector<std::string> shownNames)
{
    Result<std::vector<PortfolioItem>> items = ItemClipboard::paste(stream, std::move(shownNames));
    if (!items)
        return items.status();
    std::vector<int> positions;
    for (PortfolioItem& item : *items)
        positions.push_back(addItem(std::move(item)));
    return positions;
}
