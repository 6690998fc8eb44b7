// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"

#include <QWidget>

#include <ctime>

class QListWidget;
class QPushButton;

// "Quotations": the item's history, newest first, edited through the document at once.
class ItemQuotationsPage : public QWidget {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;
    enum Button { InsertButton, EditButton, DeleteButton, DeleteAllButton, SplitButton, InvertButton, MultiplyButton };

    // `firstSelect` is the history index of the record to select, -1 for the newest.
    ItemQuotationsPage(PortfolioDocument& doc, ItemId id, int firstSelect, QWidget* parent = nullptr);
    ~ItemQuotationsPage() override;

    // "%c" time, `blanks` blanks, "%3.4lf" value.
    static QString rowText(const Quotation& record, int blanks);

    void fillList();
    void insertQuotation();
    void editQuotation();
    void deleteQuotation();
    void deleteAllQuotations();
    void splitQuotations();
    void invertQuotations();
    void multiplyQuotations();

signals:
    // The item's quantity, buy price and alarm limits were divided: the sheet takes them over.
    void splitApplied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int position() const;
    // The history index of the record shown in `row`, -1 when it is gone.
    int historyIndex(int row) const;
    void insertRow(int row, const Quotation& record, int blanks);
    void rewriteRows(int fromRow, int blanks);
    void enableButtons();

    PortfolioDocument& m_doc;
    ItemId m_id;
    int m_firstSelect;
    QString m_name;
    QListWidget* m_list;
    QPushButton* m_buttons[7];
    int m_listener = 0;
    // Set while this page changes the document, whose notification must not refill the list.
    bool m_changing = false;
};
