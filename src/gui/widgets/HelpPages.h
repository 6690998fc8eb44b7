// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The help pages: beside the program, else where the installation puts them.
namespace HelpPages {

inline constexpr const char* kFaqPage = "FAQ.html";
inline constexpr const char* kServerHelpPage = "TKRSrv.html";

QString path(const QString& fileName);
// Shows the page with the system's default program; says so when there is none.
void open(QWidget* parent, const QString& fileName);

} // namespace HelpPages
