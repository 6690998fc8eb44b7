#pragma once

#include <QString>

// The help pages ("TKRSrv.html", "FAQ.html"): beside the program, else where the installation puts them.
namespace HelpPages {

QString path(const QString& fileName);
// Shows the page with the system's default program.
void open(const QString& fileName);

} // namespace HelpPages
