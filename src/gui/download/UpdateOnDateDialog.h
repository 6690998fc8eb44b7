// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <ctime>

class QDateEdit;
class QTimeEdit;

// "Update items' quotations on date...": the reference time for an update of the selected items.
class UpdateOnDateDialog : public QDialog {
    Q_OBJECT
public:
    // Both fields start at the day before `now`, 20:00:00.
    UpdateOnDateDialog(time_t now, QWidget* parent = nullptr);

    time_t referenceTime() const;

private:
    QDateEdit* m_date;
    QTimeEdit* m_time;
};
