// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/ListRowDelegate.h"

#include "gui/views/ReportListView.h"
#include "render/TextShortening.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

namespace {

constexpr int kIconSize = 16;

} // namespace

ListRowDelegate::ListRowDelegate(ReportListView* view) : QStyledItemDelegate(view), m_view(view) { }

QFont ListRowDelegate::specialRowFont()
{
    QFont font(QStringLiteral("Arial"), 9);
    font.setBold(true);
    return font;
}

void ListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool special = m_view->isSpecialRow(index);
    painter->save();
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    else if (special)
        painter->fillRect(option.rect, QColor::fromRgb(ReportListView::kSpecialRowBackground));
    painter->setFont(special ? specialRowFont() : option.font);
    // The special row's grey is light under any palette, so its text stays dark.
    if (selected)
        painter->setPen(option.palette.color(QPalette::HighlightedText));
    else
        painter->setPen(special ? QColor(Qt::black) : option.palette.color(QPalette::Text));
    if (index.column() == 0) {
        paintFirstColumn(painter, option, index, selected);
    } else {
        const QString text = index.data(Qt::DisplayRole).toString();
        const QRect textRect = option.rect.adjusted(kOtherColumnMargin, 0, 0, 0);
        const QString shown = shortenText(text, option.rect.width(), kOtherColumnMargin, painter->fontMetrics());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
    painter->restore();
}

void ListRowDelegate::paintFirstColumn(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                                       bool selected) const
{
    const QRect cell = option.rect;
    const QPixmap icon = index.data(Qt::DecorationRole).value<QPixmap>();
    const int iconTop = cell.top() + (cell.height() - kIconSize) / 2;
    if (!icon.isNull()) {
        painter->drawPixmap(cell.left() + 2, iconTop, kIconSize, kIconSize, icon);
        if (selected) {
            QColor blend = option.palette.color(QPalette::Highlight);
            blend.setAlpha(128);
            painter->fillRect(QRect(cell.left() + 2, iconTop, kIconSize, kIconSize), blend);
        }
    }
    const int labelLeft = cell.left() + 2 + kIconSize + 2;
    const int textLeft = labelLeft + 2;
    const int textRight = cell.right() - 12;
    const QString shown = shortenText(index.data(Qt::DisplayRole).toString(), textRight - labelLeft, kFirstColumnMargin,
                                      painter->fontMetrics());
    painter->drawText(QRect(textLeft, cell.top(), std::max(0, textRight - textLeft), cell.height()),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    const int dotLeft = std::max(cell.right() - 12, textLeft + 2);
    const QRect dot(dotLeft, cell.top() + 4, cell.right() - 2 - dotLeft, cell.height() - 8);
    if (dot.width() > 0 && dot.height() > 0) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(m_view->dotColour(index));
        painter->drawEllipse(dot);
    }
}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max({size.height(), kIconSize + 4, QFontMetrics(specialRowFont()).height() + 4}));
    size.setWidth(fullTextWidth(option, index));
    return size;
}

int ListRowDelegate::fullTextWidth(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics metrics(m_view->isSpecialRow(index) ? specialRowFont() : option.font);
    const int text = metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    // Other cells keep a margin on the right as wide as the one on the left.
    return index.column() == 0 ? text + kFirstColumnMargin + kFirstColumnPictures : text + 2 * kOtherColumnMargin;
}

bool ListRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index)
{
    const bool warning = index.column() == 0 && index.data(Qt::ToolTipRole) != index.data(Qt::DisplayRole);
    if (event->type() == QEvent::ToolTip && !warning && fullTextWidth(option, index) <= option.rect.width()) {
        QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}
