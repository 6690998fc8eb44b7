// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The platform's style with the extension buttons of the menu bar and the toolbar drawn by the program:
// the style's own pictures are image files, and reading the first of them loads every image format plugin
// during the start-up.
class DrawnIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const override;
};
