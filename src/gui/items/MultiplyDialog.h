#pragma once

#include "core/model/CWPapierDoc.h"

#include <QDialog>

class QListWidget;

// "Multiply Item's Quotations": picks the item whose history multiplies this one's.
class MultiplyDialog : public QDialog {
    Q_OBJECT
public:
    using ItemId = CWPapierDoc::ItemId;

    // Offers every item but `itself` and the invested-amount history, sorted by name.
    MultiplyDialog(const CWPapierDoc& doc, ItemId itself, QWidget* parent = nullptr);

    // 0 when the list is empty.
    ItemId chosen() const;
    QListWidget* itemList() const { return m_items; }

private:
    QListWidget* m_items;
};
