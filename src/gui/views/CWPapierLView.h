#pragma once

#include "core/model/CWPapierDoc.h"
#include "gui/views/CListViewEx.h"
#include "gui/views/ListLayout.h"

#include <QElapsedTimer>
#include <QTimer>

#include <ctime>
#include <vector>

class PortfolioListModel;
class UpdateController;
class QMenu;

// The portfolio list: one row per item, sorted by a column, with the selection the chart shows,
// the status line and the item commands.
class CWPapierLView : public CListViewEx {
    Q_OBJECT
public:
    using ItemId = CWPapierDoc::ItemId;
    // A burst of changes (many results at once) rebuilds the list at most this often.
    static constexpr int kMinFillIntervalMs = 250;

    CWPapierLView(CWPapierDoc& doc, QWidget* parent = nullptr);

    void setUpdateController(UpdateController* updates) { m_updates = updates; }
    void setContextMenu(QMenu* menu) { m_contextMenu = menu; }

    // Sets the columns up from the stored layout, then fills.
    void initialUpdate();
    // Rebuilds every row from the document now.
    void fill();
    // Rebuilds soon, merging the notifications that arrive meanwhile.
    void scheduleFill();
    int fillCount() const { return m_fillCount; }
    void saveLayout() const;
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

    void deleteSelected();
    bool copySelected();
    void cutSelected();
    void paste();
    static bool clipboardHasPortfolio();
    void compareAll();
    void updateSelected();
    void updateSelectedOnDate();
    void manualUpdate();
    void testUpdate();
    void openWebPage();

signals:
    void selectionPublished();
    void statusLineChanged(const QString& text);

protected:
    QColor dotColour(const QModelIndex& index) const override;
    bool isSpecialRow(const QModelIndex& index) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void applyLayout(const ListLayout& layout);
    void sortRows(std::vector<int>& positions) const;
    void restoreSelection();
    void readSelection();
    void buildStatusLine();
    void focusAfterDelete();
    std::vector<std::string> shownNames() const;
    std::vector<ItemId> selectedInListOrder() const;

    CWPapierDoc& m_doc;
    PortfolioListModel* m_model;
    UpdateController* m_updates = nullptr;
    QMenu* m_contextMenu = nullptr;
    QTimer m_fillTimer;
    QElapsedTimer m_sinceFill;
    int m_fillCount = 0;
    bool m_filling = false;
    ItemId m_focused = 0;
    bool m_focusedSelected = false;
    std::vector<ItemId> m_selected;
    int m_sortColumn = 0;
    bool m_sortReverse = false;
    bool m_percentual = true;
    QString m_statusLine;
};
