// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/DialogSizing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace {

// Room for the window icon and the close, minimise and maximise buttons of common window managers.
constexpr int kFrameButtons = 140;

} // namespace

int DialogSizing::titleWidth(const QWidget* dialog)
{
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle()) + kFrameButtons;
}

void DialogSizing::fitTitle(QWidget* dialog)
{
    dialog->setMinimumWidth(std::max(dialog->minimumSizeHint().width(), titleWidth(dialog)));
}
