// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadEvent.h"

#include <QWidget>

#include <string>

class AddressField;
class HandOverFetcher;
class QPlainTextEdit;
class QPushButton;

// The wizard's first page: the address of the sample page and its download.
class WizardDownloadPage : public QWidget {
    Q_OBJECT
public:
    WizardDownloadPage(const std::string& url, const std::string& itemName, const std::string& symbol,
                       QWidget* parent = nullptr);

    std::string address() const;
    // The status line, line breaks as "\n".
    QString statusText() const;
    // Fetches the address (its item variables put in) in the worker's wizard mode.
    void download();
    // The page is loaded: the status says so and the proceeding button replaces the download button.
    void showLoaded();

signals:
    // The receiver takes the event's three files.
    void loaded(DownloadEvent& event);
    void proceed();
    void cancelled();

private:
    void showStart();
    void setStatus(const QString& text);

    std::string m_itemName;
    std::string m_symbol;
    AddressField* m_address;
    QPlainTextEdit* m_status;
    QPushButton* m_download;
    QPushButton* m_next;
    QPushButton* m_back;
    QPushButton* m_cancel;
    HandOverFetcher* m_fetcher;
};
