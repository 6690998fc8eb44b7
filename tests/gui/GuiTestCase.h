// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// The base of the GUI test classes: every test function starts with no shown message texts, no unattended
// check, and the time zone and locale its class asks for (none: left as they are).
class GuiTestCase : public QObject {
    Q_OBJECT
protected:
    explicit GuiTestCase(const char* timeZone = nullptr, const char* locale = nullptr);

private slots:
    void init();

private:
    const char* m_timeZone;
    const char* m_locale;
};
