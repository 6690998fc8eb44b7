// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "core/settings/RuleHealth.h"
#include "gui/views/ListLayout.h"
#include "gui/views/PortfolioRow.h"
#include "gui/views/ReportListView.h"

#include <QDate>
#include <QElapsedTimer>
#include <QSet>
#include <QTimer>

#include <map>
#include <set>
#include <string>
#include <vector>

class PortfolioListModel;

// The portfolio list: one row per item, sorted by a column, with the selection the chart shows and
// the status line. The item commands work on its selection from gui/items.
class PortfolioListView : public ReportListView {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;
    // A burst of changes (many results at once) refreshes the list at most this often.
    static constexpr int kMinFillIntervalMs = 250;

    PortfolioListView(PortfolioDocument& doc, QWidget* parent = nullptr);

    // Sets the columns up from the stored layout, then fills.
    void initialUpdate();
    // Rebuilds every row from the document now.
    void fill();
    // The document's notification: refreshes soon, merging the notifications that arrive meanwhile.
    // Changes of single items update their rows only; anything else rebuilds the list.
    void documentChanged(ItemId changed);
    // Applies the merged notifications now.
    void applyPendingChanges();
    // Refreshes done, whole or row by row.
    int fillCount() const { return m_fillCount; }
    void saveLayout() const;
    // A portfolio was opened: columns that keep no stored width fit their widest text.
    void portfolioOpened();
    // Every column as wide as its widest text, header included.
    void fitColumnsToContents();
    // Measures every row, not only the ones on screen.
    int sizeHintForColumn(int column) const override;
    ListLayout currentLayout() const;

    void sortByHeader(int column);
    int sortColumn() const { return m_sortColumn; }
    bool sortReverse() const { return m_sortReverse; }
    bool percentual() const { return m_percentual; }
    void setPercentual(bool percentual);

    // The published selection.
    ItemId focusedItem() const { return m_focused; }
    bool focusedSelected() const { return m_focusedSelected; }
    const std::vector<ItemId>& selectedItems() const { return m_selected; }
    QString statusLine() const { return m_statusLine; }
    std::vector<ItemId> rowItems() const;

    bool hasSelectedOrdinaryItem() const;
    bool focusedIsOrdinary() const;
    bool allRowsSelected() const;
    // The names as the list shows them, for the paste naming rule.
    std::vector<std::string> shownNames() const;
    // While the portfolio holds only the invested-amount history, the list tells how to add an item.
    bool showsFirstStartHint() const;
    static QString firstStartHint();

    // Before the selected items are deleted: the focus goes to the nearest unselected row, the
    // selection is forgotten.
    void releaseSelection();
    // After an insert or a paste: the new items become the selection, the first one the focused row in view.
    void selectNewItems(const std::vector<ItemId>& ids);
    void compareAll();

    // The rule health of the portfolio's items by name; items failing often get the warning mark.
    void setRuleHealth(std::map<std::string, RuleHealth> health);
    // The warning the list shows for the item, empty when its rule is not failing.
    QString healthWarning(ItemId id) const;
    // The item's recorded rule health; empty when there is none.
    RuleHealth ruleHealth(ItemId id) const;

signals:
    void selectionPublished();
    void statusLineChanged(const QString& text);
    // The context menu key, Shift+F10 or a right click; `globalPos` is where the menu belongs.
    void contextMenuRequested(const QPoint& globalPos);

protected:
    QColor dotColour(const QModelIndex& index) const override;
    bool isSpecialRow(const QModelIndex& index) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyLayout(const ListLayout& layout);
    std::vector<int> sortedPositions() const;
    bool updateRows(const std::set<ItemId>& changed);
    bool placeRows(const std::vector<ItemId>& order, const std::set<ItemId>& changed);
    void finishRefresh();
    void restoreSelection();
    void readSelection();
    void buildStatusLine();
    std::vector<ItemId> selectedInListOrder() const;
    PortfolioRow rowFor(int pos, time_t now) const;
    QString warningFor(const PortfolioItem& item, time_t now) const;
    static bool hasEvenDigits(const QFont& font);
    // Whether the cell's text, its digits set aside, is one not yet in `shapes` (then it is added).
    bool isNewShape(QSet<QString>& shapes, const QModelIndex& index) const;

    PortfolioDocument& m_doc;
    PortfolioListModel* m_model;
    QTimer m_fillTimer;
    std::set<ItemId> m_changed;
    bool m_rebuildPending = false;
    QElapsedTimer m_sinceFill;
    QDate m_fillDay;
    int m_fillCount = 0;
    bool m_filling = false;
    ItemId m_focused = 0;
    bool m_focusedSelected = false;
    std::vector<ItemId> m_selected;
    int m_sortColumn = 0;
    bool m_sortReverse = false;
    bool m_percentual = true;
    bool m_fitWidths = false;
    bool m_sizingColumns = false;
    QString m_statusLine;
    std::map<std::string, RuleHealth> m_health;
};
