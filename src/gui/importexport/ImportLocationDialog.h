// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/importexport/ImportSettings.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Import location": a local file, or a download whose address a URL template and a period make.
class ImportLocationDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImportLocationDialog(const ImportSettings& settings, QWidget* parent = nullptr);

    // The settings with the dialog's choices taken over.
    ImportSettings settings() const;
    // "file://" and the path, or the template with the period put in.
    std::string address() const;
    void choosePath();

private:
    void applyEnablingRules();

    ImportSettings m_settings;
    QRadioButton* m_local;
    QRadioButton* m_download;
    QLineEdit* m_path;
    QPushButton* m_pathButton;
    QDateEdit* m_begin;
    QDateEdit* m_end;
    QComboBox* m_templates;
};
