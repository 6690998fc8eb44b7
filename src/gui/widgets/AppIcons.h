// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// Toolbar and window pictures drawn by the program itself; also spares the start-up the loading of
// picture files and their format plugins.
namespace AppIcons {

QIcon application();
QIcon abortTray();
QIcon newPortfolio();
QIcon openPortfolio();
QIcon savePortfolio();
QIcon about();
QIcon updateAll();
QIcon abortDownloads();
QIcon manualUpdate();
QIcon percentual();
QIcon compareAll();
QIcon exportQuotations();
QIcon cut();
QIcon copy();
QIcon paste();
QIcon insertItem();
QIcon comparisonLimits();
QIcon importQuotations();
QIcon print();
QIcon printPreview();
// The chevrons of a toolbar's or menu bar's extension button, pointing right or down.
QIcon extensionButton(Qt::Orientation orientation);

} // namespace AppIcons
