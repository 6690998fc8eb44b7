// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/ComparisonSettings.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;

// "Properties of the comparison chart": the period and the grid lines of the comparison chart.
class ComparisonSettingsDialog : public QDialog {
    Q_OBJECT
public:
    ComparisonSettingsDialog(const ComparisonSettings& settings, QWidget* parent = nullptr);

    // The shown values; the year, month and day of each date, and the flags.
    ComparisonSettings settings() const;

private:
    QCheckBox* m_useStart;
    QDateEdit* m_start;
    QCheckBox* m_useEnd;
    QDateEdit* m_end;
    QCheckBox* m_grid;
};
