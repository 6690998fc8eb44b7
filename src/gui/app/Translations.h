// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// The program speaks the system's language when it has a translation for it (German), else English; Qt's own
// dialogs follow in the same language when the system has Qt's translation installed.
namespace Translations {

// Installs the translators once per application object; later calls change nothing.
void install(QCoreApplication& app);

} // namespace Translations
