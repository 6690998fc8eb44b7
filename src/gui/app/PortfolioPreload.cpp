// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/PortfolioPreload.h"

#include "core/model/PortfolioFile.h"

#include <QDir>
#include <QFileInfo>

PortfolioPreload::PortfolioPreload(const QString& path)
{
    if (path.isEmpty())
        return;
    m_path = nativePath(path);
    m_read = std::async(std::launch::async, PortfolioFile::load, m_path);
}

std::string PortfolioPreload::nativePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString();
}

Result<std::vector<PortfolioItem>> PortfolioPreload::take(const std::string& nativePath)
{
    if (m_read.valid() && nativePath == m_path)
        return m_read.get();
    return PortfolioFile::load(nativePath);
}
