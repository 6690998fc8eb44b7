// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/ExtrasCommands.h"

#include "core/servers/ServerConfigExport.h"
#include "gui/app/MainActions.h"
#include "gui/app/OptionsDialog.h"
#include "gui/widgets/FileDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QDir>
#include <QWidget>

#include <utility>

ExtrasCommands::ExtrasCommands(const MainActions& actions, std::function<GeneralOptions()> currentOptions,
                               QWidget* window)
    : QObject(window), m_currentOptions(std::move(currentOptions)), m_window(window)
{
    connect(actions.options, &QAction::triggered, this, &ExtrasCommands::showOptions);
    connect(actions.exportServers, &QAction::triggered, this, &ExtrasCommands::exportServers);
}

void ExtrasCommands::showOptions()
{
    OptionsDialog dialog(m_currentOptions(), DownloadOptions::readOptions(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!dialog.options().writeOptions() || !dialog.downloadOptions().writeOptions())
        MessageDialog::warning(m_window, tr("The options could not be stored."));
    emit optionsAccepted(dialog.options());
}

void ExtrasCommands::exportServers()
{
    const QString path = FileDialog::saveFileName(m_window, tr("Export server configuration"), tr("Server"),
                                                  tr("Registry Files (*.reg)"), QStringLiteral("reg"));
    if (path.isEmpty())
        return;
    const Status exported = ServerConfigExport::exportServerConfigs(QDir::toNativeSeparators(path).toStdString());
    if (!exported)
        MessageDialog::warning(m_window, QString::fromStdString(exported.message()));
}
