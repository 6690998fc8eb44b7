// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/DrawnIconStyle.h"

#include "gui/widgets/AppIcons.h"

QIcon DrawnIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    switch (standardIcon) {
    case SP_ToolBarHorizontalExtensionButton:
        return AppIcons::extensionButton(Qt::Horizontal);
    case SP_ToolBarVerticalExtensionButton:
        return AppIcons::extensionButton(Qt::Vertical);
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}
