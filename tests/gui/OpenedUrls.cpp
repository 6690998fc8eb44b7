// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenedUrls.h"

#include <QDesktopServices>

namespace {

const char* const kSchemes[] = {"file", "http", "https"};

} // namespace

OpenedUrls::OpenedUrls()
{
    for (const char* scheme : kSchemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

OpenedUrls::~OpenedUrls()
{
    for (const char* scheme : kSchemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void OpenedUrls::open(const QUrl& url)
{
    urls << url;
}
