// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <ctime>

// The fonts and margins of the chart on screen or on paper.
struct ChartStyle {
    QFont title;
    QFont label;
    QFont date;
    // The date whose "%x" text sizes the date labels.
    time_t dateSample = 0;
    bool printer = false;
    QColor text = Qt::black;

    static ChartStyle screen();
    static ChartStyle paper();
    // "Arial" where installed, else Liberation Sans; "Arial Black" falls back to its bold form.
    static QFont sansFont(double points);
    static QFont blackFont(double points);
    // A date as the chart writes it: "%x" in the current C locale.
    static QString dateText(time_t time);
};
