// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/importexport/ImportSettings.h"

#include <QDialog>

#include <string>

class HandOverFetcher;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
struct DownloadEvent;

// "Import quotations for "%s"": where the history comes from, how its lines look, and reading it.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(const std::string& itemName, const std::string& symbol, const ImportSettings& settings,
                 QWidget* parent = nullptr);

    // The settings with the dialog's fields taken over, the loaded file included.
    ImportSettings settings() const;

    void chooseLocation();
    void readFile();
    void viewFile();
    // Fills the format field with a common layout of price files.
    void chooseLayout(QListWidgetItem* layout);

private:
    void takeFile(DownloadEvent& event);
    void showReading();
    void showLoaded();
    void takeOverFields(ImportSettings& settings) const;

    std::string m_itemName;
    std::string m_symbol;
    ImportSettings m_settings;
    QLineEdit* m_address;
    QPushButton* m_locationButton;
    QComboBox* m_separators;
    QCheckBox* m_caseInsensitive;
    QLineEdit* m_format;
    QListWidget* m_layouts;
    QLineEdit* m_status;
    QPushButton* m_read;
    QPushButton* m_view;
    QPushButton* m_ok;
    HandOverFetcher* m_fetcher;
};
