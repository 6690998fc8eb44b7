// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestCase.h"

#include "TestEnvironment.h"
#include "gui/widgets/MessageDialog.h"

GuiTestCase::GuiTestCase(const char* timeZone, const char* locale) : m_timeZone(timeZone), m_locale(locale) { }

void GuiTestCase::init()
{
    MessageDialog::clearShownTexts();
    MessageDialog::setUnattendedCheck(nullptr);
    if (m_timeZone)
        TestEnvironment::setTimeZone(m_timeZone);
    if (m_locale)
        TestEnvironment::setLocale(m_locale);
}
