// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"
#include "core/servers/ServerConfig.h"

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "General": the item's name, symbol, note and the server whose rules fetch its quotation.
class ItemGeneralPage : public QWidget {
    Q_OBJECT
public:
    using Tester = std::function<void(const std::string& name, const std::string& symbol, const ServerConfig& rules)>;

    explicit ItemGeneralPage(const PortfolioItem& item, QWidget* parent = nullptr);

    // "Test quotation update" hands the page's name, symbol and rules to `tester`; without one it is off.
    void setTester(Tester tester);
    const Tester& tester() const { return m_tester; }
    // "Quotation rule failing since ...", shown above the server box; empty hides it.
    void setHealthWarning(const QString& text);
    // Name, symbol, note, the chosen server ("-- User defined --" as the empty name) and the held rules.
    void store(PortfolioItem& item) const;

    // The rules of the page's current choice: the held fields for "-- User defined --", else the stored server.
    ServerConfig currentRules() const;
    // The server list: "-- User defined --", then the stored names sorted ignoring case.
    void fillServerList();
    // The entry the Wizard and Edit buttons work on: "-- User defined --" for the item's own rules, else
    // the stored server's name.
    std::string serverChoice() const;
    // Fills the list again and chooses `name` ("-- User defined --" for the item's own rules).
    void chooseServer(const std::string& name);
    // The item's own rules, stored with the item when "-- User defined --" stays chosen.
    void setOwnRules(const ServerConfig& rules);

    void editNote();
    void deleteServer();
    void testUpdate();
    void openWebPage();

    QLineEdit* nameField() const { return m_name; }
    QLineEdit* symbolField() const { return m_symbol; }
    QPushButton* webPageButton() const { return m_webPage; }

signals:
    void nameChanged(const QString& name);
    // "Wizard" and "Edit": whoever opens the server dialogs hands their result back through chooseServer
    // and setOwnRules.
    void wizardRequested();
    void editRequested();
    // "Repair..." beside the rule-health line; a repair applied to the item's own rules comes back through
    // setOwnRules.
    void repairRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The server name the page stands for: the chosen entry, the held name while none is chosen.
    std::string chosenServerName() const;
    PortfolioItem currentItem() const;

    PortfolioItem m_item;
    // The name shown when the page opened, mapped: "-- User defined --" for the empty name.
    QString m_shownServer;
    bool m_opened = false;
    Tester m_tester;
    QLineEdit* m_name;
    QLineEdit* m_symbol;
    QPlainTextEdit* m_note;
    QPushButton* m_noteButton;
    QComboBox* m_servers;
    QPushButton* m_wizard;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_test;
    QPushButton* m_webPage;
    QLabel* m_health;
    QPushButton* m_repair;
};
