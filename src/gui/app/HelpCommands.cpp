// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/HelpCommands.h"

#include "core/servers/ServerStore.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/MainActions.h"
#include "gui/widgets/AppIcons.h"
#include "gui/widgets/ExternalViewer.h"
#include "gui/widgets/HelpPages.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

HelpCommands::HelpCommands(const MainActions& actions, bool unattended, QWidget* window)
    : QObject(window), m_unattended(unattended), m_window(window)
{
    connect(actions.faq, &QAction::triggered, this,
            [this] { HelpPages::open(m_window, QString::fromLatin1(HelpPages::kFaqPage)); });
    connect(actions.serverHelp, &QAction::triggered, this,
            [this] { HelpPages::open(m_window, QString::fromLatin1(HelpPages::kServerHelpPage)); });
    auto openHomePage = [this] { ExternalViewer::open(m_window, QUrl(homePageAddress())); };
    connect(actions.webPage, &QAction::triggered, this, openHomePage);
    connect(actions.checkUpdate, &QAction::triggered, this, openHomePage);
    connect(actions.about, &QAction::triggered, this, &HelpCommands::showAbout);
}

QString HelpCommands::homePageAddress()
{
    return SettingsStore::value(SettingsKey::HomePage).toString();
}

QString HelpCommands::aboutText()
{
    return tr("Tickora Version %1\n\nThis program is free software under the GNU General Public License, version 3 or "
              "later.\n\nInstalled server configuration version: %2")
        .arg(QString::fromLatin1(TICKORA_VERSION))
        .arg(ServerStore::storedPresetVersion());
}

void HelpCommands::showAbout()
{
    QMessageBox box(QMessageBox::Information, tr("About Tickora"), aboutText(), QMessageBox::Ok, m_window);
    box.setIconPixmap(AppIcons::application().pixmap(64, 64));
    if (MessageDialog::pendingAnswers() > 0 || m_unattended)
        MessageDialog::information(m_window, aboutText());
    else
        box.exec();
}
