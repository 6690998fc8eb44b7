// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/servers/ServerConfig.h"

#include <QWidget>

#include <string>

class QComboBox;
class QLineEdit;

// "Fallback server:", "Cross-check with:" and the percent the two results may differ by, for the server
// properties dialog. An item's own rules have neither, so the fields are off for them.
class ServerLinkFields : public QWidget {
    Q_OBJECT
public:
    ServerLinkFields(const ServerConfig& config, const std::string& serverName, QWidget* parent = nullptr);

    // Off while the rules are the item's own.
    void enableFor(const std::string& serverName);
    // Puts the chosen servers and percent into `config`, stored as `serverName`. Changed choices (or a new name) are
    // checked as `servers set` checks them; a refusal is shown, and false keeps the dialog open.
    bool takeOver(const std::string& serverName, ServerConfig& config);

    QComboBox* fallbackList() const { return m_fallback; }
    QComboBox* crossCheckList() const { return m_crossCheck; }
    QLineEdit* percentField() const { return m_percent; }

private:
    QComboBox* serverList(const std::string& chosen);
    std::string chosenServer(const QComboBox* list) const;
    void refuse(QWidget* field, const std::string& message);

    ServerConfig m_shown;
    std::string m_shownName;
    QComboBox* m_fallback = nullptr;
    QComboBox* m_crossCheck = nullptr;
    QLineEdit* m_percent = nullptr;
};
