// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/servers/ServerConfig.h"
#include "gui/servers/ServerPropertiesLayout.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QSpinBox;
class ServerLinkFields;

// "Server Settings": every field of one server's rules, with the address tried in the browser, a test
// update of the unsaved rules and saving under another name.
class ServerPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    using Tester = std::function<void(const std::string& name, const std::string& symbol, const ServerConfig& rules)>;
    ServerPropertiesDialog(const ServerConfig& config, const std::string& serverName, const std::string& itemName,
                           const std::string& symbol, QWidget* parent = nullptr);

    // "&Test quotation update" hands the item's name and symbol and the unsaved rules to `tester`.
    void setTester(Tester tester) { m_tester = std::move(tester); }
    // The edited record, as last taken over from the fields.
    const ServerConfig& config() const { return m_config; }
    // The server name, changed by "Save configuration &As...".
    const std::string& serverName() const { return m_serverName; }

    // Reads every field into the record; refuses a number outside its range with the standard message.
    bool takeOverFields();
    void toggleAdvanced();
    void openDownloadUrl();
    void testUpdate();
    void saveAs();
    void openHelp();
    void accept() override;

    bool advancedShown() const { return m_advancedShown; }

private:
    void showFields();
    void applyEnablingRules();
    void setAdvancedShown(bool shown);
    void updateTitle();
    bool checkRange(QSpinBox* field, int min, int max);
    // The lines of "Request headers:" without blank ones; refuses a line the server store would refuse.
    bool readHeaders(std::vector<std::string>& headers);
    // Only a stored server sends request headers; the item's own rules send none.
    void enableHeaders();

    ServerConfig m_config;
    std::string m_serverName;
    std::string m_itemName;
    std::string m_symbol;
    Tester m_tester;
    bool m_advancedShown = false;

    ServerPropertiesLayout m_controls;
    ServerLinkFields* m_links = nullptr;
};
