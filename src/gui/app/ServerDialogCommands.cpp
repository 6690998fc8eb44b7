// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/ServerDialogCommands.h"

#include "core/servers/ServerStore.h"
#include "gui/items/ItemGeneralPage.h"
#include "gui/servers/ServerPropertiesDialog.h"
#include "gui/servers/ServerWizard.h"
#include "gui/widgets/MessageDialog.h"

#include <QLineEdit>

ServerDialogCommands::ServerDialogCommands(QObject* parent) : QObject(parent) { }

void ServerDialogCommands::runWizard(ItemGeneralPage* page)
{
    const std::string server = page->serverChoice();
    ServerConfig rules = page->currentRules();
    ServerWizard wizard(rules, server, page->nameField()->text().toStdString(),
                        page->symbolField()->text().toStdString(), page);
    if (wizard.exec() != QDialog::Accepted)
        return;
    if (const Status applied = wizard.applyTo(rules); !applied) {
        MessageDialog::warning(page, QString::fromStdString(applied.message()));
        return;
    }
    apply(page, server, rules);
}

void ServerDialogCommands::edit(ItemGeneralPage* page)
{
    const std::string server = page->serverChoice();
    ServerPropertiesDialog dialog(page->currentRules(), server, page->nameField()->text().toStdString(),
                                  page->symbolField()->text().toStdString(), page);
    dialog.setTester(page->tester());
    if (dialog.exec() == QDialog::Accepted) {
        apply(page, dialog.serverName(), dialog.config());
        return;
    }
    // "Save configuration &As..." may have stored a server even so.
    page->chooseServer(server);
}

void ServerDialogCommands::apply(ItemGeneralPage* page, const std::string& serverName, const ServerConfig& rules)
{
    if (serverName == ServerConfig::kUserDefinedName) {
        page->setOwnRules(rules);
    } else if (const Status written = ServerStore::writeServerConfig(serverName, rules); !written) {
        MessageDialog::warning(page, QString::fromStdString(written.message()));
        return;
    }
    page->chooseServer(serverName);
}
