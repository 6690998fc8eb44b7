// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/servers/ServerConfig.h"

#include <QObject>

#include <string>

class ItemGeneralPage;

// Opens the server configuration wizard and the server properties dialog for the General page of an item's
// property sheet and hands their result back to the page: a stored server is written at once, the item's
// own rules ("-- User defined --") stay with the page until the sheet is confirmed.
class ServerDialogCommands : public QObject {
    Q_OBJECT
public:
    explicit ServerDialogCommands(QObject* parent = nullptr);

    void runWizard(ItemGeneralPage* page);
    void edit(ItemGeneralPage* page);

private:
    // The rules of `serverName` become the page's choice.
    static void apply(ItemGeneralPage* page, const std::string& serverName, const ServerConfig& rules);
};
