// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>

// Period and grid of the comparison chart, section "GraphView" of the settings.
struct ComparisonSettings {
    bool useBegin = false;
    int beginYear = 1999;
    int beginMonth = 1;
    int beginDay = 1;
    bool useEnd = false;
    int endYear = 2005;
    int endMonth = 1;
    int endDay = 1;
    bool grid = true;

    static ComparisonSettings read();
    void write() const;

    // The start date at 00:00:00 and the end date at 23:59:59, local time.
    time_t beginTime() const;
    time_t endTime() const;
};
