// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "core/settings/ComparisonSettings.h"
#include "render/ChartRenderer.h"

#include <QImage>
#include <QWidget>

#include <vector>

class QMenu;

// The chart below the list: the focused item's history, or the comparison of the selected items,
// with a hover read-out of the nearest point.
class ChartView : public QWidget {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;

    ChartView(const PortfolioDocument& doc, QWidget* parent = nullptr);

    // The list's selection: its focused item and its selected items, top to bottom.
    void setSelection(ItemId focused, const std::vector<ItemId>& selected);
    // The document changed: forget the hover and draw anew.
    void documentChanged();
    void setContextMenus(QMenu* single, QMenu* comparison);

    const ComparisonSettings& comparison() const { return m_comparison; }
    void setComparison(const ComparisonSettings& settings);
    // Writes the nine "GraphView" values.
    void saveSettings() const;

    bool comparisonMode() const { return m_selected.size() > 1; }
    const ChartResult& drawing() const { return m_result; }
    int hoverIndex() const { return m_hover; }
    // What the chart draws for `items` into `image` (the widget's drawing, without the hover marker).
    static ChartResult render(QImage& image, const std::vector<const PortfolioItem*>& items,
                              const ComparisonSettings& comparison);

    // The mouse moved onto another pane: the marker goes, the status bar reads "Ready".
    void removeMarker();

signals:
    void statusText(const QString& text);
    // A double click on the chart of `item`: the quotations page at `record` (-1: none picked).
    void quotationsRequested(ItemId item, int record);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<const PortfolioItem*> selectedItems() const;
    void renderCache();
    void showHover();
    void openContextMenu(const QPoint& globalPos);

    const PortfolioDocument& m_doc;
    ItemId m_focused = 0;
    std::vector<ItemId> m_selected;
    ComparisonSettings m_comparison;
    ChartResult m_result;
    QImage m_cache;
    bool m_dirty = true;
    int m_hover = -1;
    QMenu* m_singleMenu = nullptr;
    QMenu* m_comparisonMenu = nullptr;
};
