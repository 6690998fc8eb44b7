// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/model/PortfolioItem.h"
#include "core/model/Quotation.h"

#include <QByteArray>

#include <cstdint>
#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The open portfolio: the ordered items, the modified flag, the number of simultaneous downloads and the marks of the
// items being updated. Every change goes through here and ends with the listeners being told. The
// document lives on one thread (the downloads post their results to it), so it takes no lock.
class PortfolioDocument {
public:
    using ItemId = uint64_t;
    static constexpr int kMaxDownloadSlots = 500;
    static constexpr const char* kClipboardMimeType = "application/x-tkrwpcb";

    explicit PortfolioDocument(int numberDownloads = 5);
    PortfolioDocument(const PortfolioDocument&) = delete;
    PortfolioDocument& operator=(const PortfolioDocument&) = delete;

    int itemCount() const;
    PortfolioItem& item(int pos);
    const PortfolioItem& item(int pos) const;
    // Ids are handed out on add and never reused within one document.
    ItemId itemId(int pos) const;
    // -1 when the item is gone.
    int positionOf(ItemId id) const;
    // Position of the invested-amount-history item, -1 when there is none.
    int investedAmountHistoryPosition() const;

    // How many update downloads may run at a time.
    int numberDownloads() const { return m_numberDownloads; }

    bool isModified() const;
    void setModified(bool modified);
    // Listeners are told after every change: the one item whose fields or quotations changed, or
    // kAllItems when items came, went or were replaced.
    static constexpr ItemId kAllItems = 0;
    using ChangeListener = std::function<void(ItemId changed)>;
    // Returns the handle that removeChangeListener takes.
    int addChangeListener(ChangeListener listener);
    void removeChangeListener(int handle);

    // The runtime mark of an item whose download is under way; never saved, dropped with the item.
    bool isUpdating(ItemId id) const;
    void setUpdating(ItemId id, bool updating);

    void newPortfolio();
    // On failure the document is empty and the status holds the message to show.
    Status openPortfolio(const std::string& path);
    // Replaces the items by those read from a file (or keeps the document empty with the read's error).
    Status adoptPortfolio(Result<std::vector<PortfolioItem>> read);
    // Keeps the replaced file as backups for "BackupDays" days; a backup that could not be made leaves the
    // save done and its reason in `backupFailure`.
    Status savePortfolio(const std::string& path, std::string* backupFailure = nullptr);
    void deleteContents();
    int addItem(PortfolioItem item);
    // `fields` as the property sheet fills them; quotations are taken over as given.
    int insertNewItem(const PortfolioItem& fields);
    // Overwrites every stored field except the quotations and the history flag.
    void updateItem(int pos, const PortfolioItem& fields);
    // Skips updating items and the invested-amount-history item.
    void deleteItems(const std::vector<ItemId>& ids);
    int addItemQuotation(int pos, double value, time_t time);
    // Drops the result (returns false) when the item is gone.
    bool applyDownloadedQuotation(ItemId id, double value, time_t time);
    // A downloaded value as it would be stored: a value about 100 times the newest one was given in cents.
    static double centsCorrected(const PortfolioItem& item, double value);
    void recordInvestedAmount();
    void addInvestedAmountHistoryItem();
    bool deleteQuotation(int pos, int index);
    void deleteAllQuotations(int pos);
    int replaceQuotation(int pos, int index, double value, time_t time);
    bool splitQuotations(int pos, int index, double factor);
    void invertQuotations(int pos);
    void multiplyQuotations(int pos, int otherPos);
    // See QuotationHistory::mergeQuotations.
    void mergeQuotations(int pos, std::vector<Quotation> inFileOrder);

    // The clipboard stream of the given items, in the given order; refused when a time does not
    // fit the stream.
    Result<QByteArray> copyItems(const std::vector<ItemId>& ids) const;
    // Reads a clipboard stream and adds its items with the paste naming rule; `shownNames` are
    // the names the list shows. Returns the positions added; on a malformed stream nothing is added.
    Result<std::vector<int>> pasteItems(const QByteArray& stream, std::vector<std::string> shownNames);

private:
    void changed(ItemId item = kAllItems);
    void changedAt(int pos);
    void notify(ItemId changed);
    bool isValidPosition(int pos) const;
    void emptyForOpening();
    int appendItem(PortfolioItem item);

    std::vector<PortfolioItem> m_items;
    // In rising order: appended items get ever larger ids, and nothing reorders the items.
    std::vector<ItemId> m_ids;
    ItemId m_nextId = 1;
    bool m_modified = false;
    std::vector<std::pair<int, ChangeListener>> m_listeners;
    int m_nextListenerHandle = 1;
    std::set<ItemId> m_updating;
    int m_numberDownloads;
};
