// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QUrl;
class QWidget;

// Web pages, help pages and files shown by the desktop's program for them (the browser, a text viewer).
namespace ExternalViewer {

// Opens `url`; when no program is set up for it, says so with the path or address, which the user can copy.
bool open(QWidget* parent, const QUrl& url);
// "%1 could not be opened: no program is set up to open it." with the local path or the address.
QString failureText(const QUrl& url);

} // namespace ExternalViewer
