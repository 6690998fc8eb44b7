// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Ends the program with exit code 0 right after the watched widget's first paint: how the start-up time is
// measured (TICKORA_EXIT_AFTER_FIRST_PAINT=1).
class FirstPaintExit : public QObject {
    Q_OBJECT
public:
    explicit FirstPaintExit(QWidget* watched);

    static bool isRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_seen = false;
};
