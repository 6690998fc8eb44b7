#pragma once

#include <QIcon>

// Toolbar and window pictures drawn by the program itself.
namespace AppIcons {

QIcon application();
QIcon abortTray();
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

} // namespace AppIcons
