// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/GeneralOptions.h"

#include <QObject>

#include <functional>

struct MainActions;
class QWidget;

// "&Options..." and "&Export server configuration..." of the "E&xtras" menu.
class ExtrasCommands : public QObject {
    Q_OBJECT
public:
    ExtrasCommands(const MainActions& actions, std::function<GeneralOptions()> currentOptions, QWidget* window);

signals:
    // The options dialog was confirmed; the options were stored, or a warning said why not.
    void optionsAccepted(const GeneralOptions& options);

private:
    void showOptions();
    void exportServers();

    std::function<GeneralOptions()> m_currentOptions;
    QWidget* m_window;
};
