// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"
#include "core/settings/ComparisonSettings.h"

#include <QString>

#include <ctime>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// What the printout shows: the selected items in list order.
struct PrintRequest {
    std::vector<const PortfolioItem*> items;
    ComparisonSettings comparison;
    QString documentTitle;
    time_t now = 0;
};

// The printout of the selected items: the chart on the first page, then the items, so many to a page
// as the measured font heights allow.
class PortfolioPrinter {
public:
    // Entries per item page: (page height - 2.5 hB) / 3.9 hA, at least 1.
    static int rowsPerPage(int pageHeight, int headingHeight, int entryHeight);
    static int pageCount(int items, int rowsPerPage);
    // Pages for `items` entries on `device`, with its fonts measured there.
    static int pageCount(int items, QPagedPaintDevice& device);
    // Prints on `device` (begun by `painter`); returns the number of pages.
    static int print(QPainter& painter, QPagedPaintDevice& device, const PrintRequest& request);
};
