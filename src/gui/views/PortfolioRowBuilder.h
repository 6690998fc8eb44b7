#pragma once

#include "core/model/CWPapierDoc.h"
#include "gui/views/PortfolioRow.h"

#include <QString>

#include <ctime>

// The list's cells, trend icon and dot for one item, formatted by the core in the current locale.
PortfolioRow buildPortfolioRow(const CWPapier& item, CWPapierDoc::ItemId id, bool percentual, time_t now);

// "Amount invested: ..." over all items, in percent or nominal form.
QString portfolioStatusLine(const CWPapierDoc& doc, bool percentual);
