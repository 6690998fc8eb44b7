// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/SettingsKeys.h"

#include <QObject>
#include <QString>

struct MainActions;
class QWidget;

// The "&?" menu and "Check server configuration update availability": the about box, the help pages
// beside the program and the program's home page.
class HelpCommands : public QObject {
    Q_OBJECT
public:
    HelpCommands(const MainActions& actions, bool unattended, QWidget* window);

    static QString aboutText();
    // The program's home page, a setting ("Application"/"HomePage").
    static QString homePageAddress();
    static constexpr const char* kDefaultHomePage = SettingsKeys::kDefaultHomePage;

private:
    void showAbout();

    bool m_unattended;
    QWidget* m_window;
};
