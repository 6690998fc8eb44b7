// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/DownloadOptions.h"
#include "core/settings/GeneralOptions.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTimeEdit;

// "General options": edits the general options and the user agent; OK refuses entries outside their ranges.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const GeneralOptions& options, const DownloadOptions& download, QWidget* parent = nullptr);

    const GeneralOptions& options() const { return m_options; }
    const DownloadOptions& downloadOptions() const { return m_download; }

public slots:
    void accept() override;

private:
    void updateEnabling();
    bool takeEntry(const char* fieldName, QLineEdit* field, int32_t& value);

    GeneralOptions m_options;
    DownloadOptions m_download;
    QLineEdit* m_downloads;
    QLineEdit* m_perHost;
    QLineEdit* m_userAgent;
    QLineEdit* m_guard;
    QLineEdit* m_backupDays;
    QCheckBox* m_autosavePortfolio;
    QCheckBox* m_autoupdate;
    QLineEdit* m_interval;
    QCheckBox* m_timeWindow;
    QTimeEdit* m_from;
    QTimeEdit* m_to;
    QCheckBox* m_downloadStatus;
    QCheckBox* m_autosaveView;
    QCheckBox* m_showFile;
};
