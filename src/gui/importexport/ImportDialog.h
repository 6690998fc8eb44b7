#pragma once

#include "core/importexport/ImportSettings.h"

#include <QDialog>

#include <string>

class HandOverFetcher;
class QCheckBox;
class QComboBox;
class QLineEdit;
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

    QLineEdit* addressField() const { return m_address; }
    QPushButton* locationButton() const { return m_locationButton; }
    QComboBox* separatorList() const { return m_separators; }
    QCheckBox* caseInsensitiveBox() const { return m_caseInsensitive; }
    QLineEdit* formatField() const { return m_format; }
    QLineEdit* statusLine() const { return m_status; }
    QPushButton* readButton() const { return m_read; }
    QPushButton* viewButton() const { return m_view; }
    QPushButton* okButton() const { return m_ok; }

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
    QLineEdit* m_status;
    QPushButton* m_read;
    QPushButton* m_view;
    QPushButton* m_ok;
    HandOverFetcher* m_fetcher;
};
