// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"

#include <QDialog>

class QListWidget;

// "Multiply Item's Quotations": picks the item whose history multiplies this one's.
class MultiplyDialog : public QDialog {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;

    // Offers every item but `itself` and the invested-amount history, sorted by name.
    MultiplyDialog(const PortfolioDocument& doc, ItemId itself, QWidget* parent = nullptr);

    // 0 when the list is empty.
    ItemId chosen() const;

private:
    QListWidget* m_items;
};
