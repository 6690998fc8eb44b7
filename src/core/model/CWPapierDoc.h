#pragma once

#include "core/base/Status.h"
#include "core/model/CKurs.h"
#include "core/model/CWPapier.h"

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
class CWPapierDoc {
public:
    using ItemId = uint64_t;
    static constexpr int kMaxDownloadSlots = 500;
    static constexpr const char* kClipboardMimeType = "application/x-tkrwpcb";

    explicit CWPapierDoc(int numberDownloads = 5);
    CWPapierDoc(const CWPapierDoc&) = delete;
    CWPapierDoc& operator=(const CWPapierDoc&) = delete;

    int itemCount() const;
    CWPapier& item(int pos);
    const CWPapier& item(int pos) const;
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

    void NewPortfolio();
    // On failure the document is empty and the status holds the message to show.
    Status OpenPortfolio(const std::string& path);
    // Replaces the items by those read from a file (or keeps the document empty with the read's error).
    Status AdoptPortfolio(Result<std::vector<CWPapier>> read);
    Status SavePortfolio(const std::string& path);
    void DeleteContents();
    int AddItem(CWPapier item);
    // `fields` as the property sheet fills them; quotations are taken over as given.
    int InsertNewItem(const CWPapier& fields);
    // Overwrites every stored field except the quotations and the history flag.
    void UpdateItem(int pos, const CWPapier& fields);
    // Skips updating items and the invested-amount-history item.
    void DeleteItems(const std::vector<ItemId>& ids);
    int AddItemQuotation(int pos, double value, time_t time);
    // Drops the result (returns false) when the item is gone.
    bool ApplyDownloadedQuotation(ItemId id, double value, time_t time);
    // A downloaded value as it would be stored: a value about 100 times the newest one was given in cents.
    static double CentsCorrected(const CWPapier& item, double value);
    void RecordInvestedAmount();
    void AddInvestedAmountHistoryItem();
    bool DeleteQuotation(int pos, int index);
    void DeleteAllQuotations(int pos);
    int ReplaceQuotation(int pos, int index, double value, time_t time);
    bool SplitQuotations(int pos, int index, double factor);
    void InvertQuotations(int pos);
    void MultiplyQuotations(int pos, int otherPos);
    // Same history as AddQuotation called for each record in order, in O(n log n).
    // Quotations at a time the file cannot store are left out.
    void MergeQuotations(int pos, std::vector<CKurs> inFileOrder);

    // The clipboard stream of the given items, in the given order; refused when a time does not
    // fit the stream.
    Result<QByteArray> CopyItems(const std::vector<ItemId>& ids) const;
    // Reads a clipboard stream and adds its items with the paste naming rule; `shownNames` are
    // the names the list shows. Returns the positions added; on a malformed stream nothing is added.
    Result<std::vector<int>> PasteItems(const QByteArray& stream, std::vector<std::string> shownNames);

private:
    void changed(ItemId item = kAllItems);
    void changedAt(int pos);
    void notify(ItemId changed);
    bool isValidPosition(int pos) const;
    void emptyForOpening();
    int appendItem(CWPapier item);

    std::vector<CWPapier> m_items;
    std::vector<ItemId> m_ids;
    ItemId m_nextId = 1;
    bool m_modified = false;
    std::vector<std::pair<int, ChangeListener>> m_listeners;
    int m_nextListenerHandle = 1;
    std::set<ItemId> m_updating;
    int m_numberDownloads;
};

// The name a pasted item gets when `name` is already shown: "Copy of " + name, then
// "Copy of name (1)", "(2)", ... until one is free. Names compare case-insensitively.
std::string pastedItemName(const std::string& name, const std::vector<std::string>& shownNames);
