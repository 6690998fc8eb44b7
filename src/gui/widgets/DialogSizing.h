// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace DialogSizing {

// Widens a dialog so that its whole title shows in the title bar, beside the frame's buttons.
void fitTitle(QWidget* dialog);
// The width that `fitTitle` gives at least.
int titleWidth(const QWidget* dialog);

} // namespace DialogSizing
