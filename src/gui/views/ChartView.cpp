// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/ChartView.h"

#include "core/base/FormatText.h"
#include "core/base/LocaleFormat.h"
#include "render/ChartPicking.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

ChartView::ChartView(const PortfolioDocument& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_comparison(ComparisonSettings::read())
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::setSelection(ItemId focused, const std::vector<ItemId>& selected)
{
    m_focused = focused;
    m_selected = selected;
    documentChanged();
}

void ChartView::documentChanged()
{
    m_hover = -1;
    m_dirty = true;
    update();
}

void ChartView::setContextMenus(QMenu* single, QMenu* comparison)
{
    m_singleMenu = single;
    m_comparisonMenu = comparison;
}

void ChartView::setComparison(const ComparisonSettings& settings)
{
    m_comparison = settings;
    documentChanged();
}

void ChartView::saveSettings() const
{
    m_comparison.write();
}

std::vector<const PortfolioItem*> ChartView::selectedItems() const
{
    std::vector<const PortfolioItem*> items;
    for (ItemId id : m_selected) {
        const int pos = m_doc.positionOf(id);
        if (pos >= 0)
            items.push_back(&m_doc.item(pos));
    }
    return items;
}

ChartResult ChartView::render(QImage& image, const std::vector<const PortfolioItem*>& items,
                              const ComparisonSettings& comparison)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    ChartRequest request;
    request.items = items;
    request.comparison = comparison;
    return ChartRenderer::draw(painter, image.rect(), request);
}

void ChartView::renderCache()
{
    emit statusText(tr("Ready"));
    if (m_cache.size() != size())
        m_cache = QImage(size(), QImage::Format_RGB32);
    m_result = render(m_cache, selectedItems(), m_comparison);
    // The reason is drawn into the picture; a screen reader gets it here.
    setAccessibleDescription(m_result.emptyReason);
    m_dirty = false;
    if (m_hover >= int(m_result.points.size()))
        m_hover = -1;
    if (m_hover >= 0)
        showHover();
}

void ChartView::paintEvent(QPaintEvent*)
{
    if (m_dirty || m_cache.size() != size())
        renderCache();
    QPainter painter(this);
    painter.drawImage(0, 0, m_cache);
    if (m_hover < 0)
        return;
    // The marker inverts what it crosses, so it shows on any background and colour.
    const ChartPoint& point = m_result.points[size_t(m_hover)];
    const QRect& axis = m_result.axisFrame;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawPolyline(
        QPolygon({QPoint(axis.x(), point.y), QPoint(point.x, point.y), QPoint(point.x, axis.y() + axis.height())}));
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    m_dirty = true;
    QWidget::resizeEvent(event);
}

void ChartView::showHover()
{
    const ChartPoint& point = m_result.points[size_t(m_hover)];
    const std::string time = LocaleFormat::localTime(point.time, "%x  %H:%M");
    const std::string text = formatText("%s : %.4lf", time.c_str(), point.value);
    emit statusText(QString::fromLocal8Bit(text.data(), qsizetype(text.size())));
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (comparisonMode() || m_focused == 0 || m_result.points.size() < 2 || m_dirty)
        return;
    const int hover = ChartPicking::nearestPoint(m_result.points, event->position().toPoint().x());
    if (hover < 0)
        return;
    const bool moved = hover != m_hover;
    m_hover = hover;
    showHover();
    if (moved)
        update();
}

void ChartView::leaveEvent(QEvent* event)
{
    removeMarker();
    QWidget::leaveEvent(event);
}

void ChartView::removeMarker()
{
    if (m_hover < 0)
        return;
    m_hover = -1;
    emit statusText(tr("Ready"));
    update();
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_focused == 0)
        return;
    emit quotationsRequested(m_focused, m_hover >= 0 ? m_result.firstShownIndex + m_hover : -1);
}

void ChartView::openContextMenu(const QPoint& globalPos)
{
    QMenu* menu = m_selected.size() == 1 ? m_singleMenu : m_comparisonMenu;
    if (menu)
        menu->popup(globalPos);
}

void ChartView::contextMenuEvent(QContextMenuEvent* event)
{
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    openContextMenu(keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos());
}

void ChartView::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey =
        event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        openContextMenu(mapToGlobal(QPoint(5, 5)));
        return;
    }
    QWidget::keyPressEvent(event);
}
