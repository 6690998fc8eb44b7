// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TempFile.h"

#include <QFile>

#include <utility>

TempFile::TempFile(std::string path) : m_path(std::move(path)) { }

TempFile::~TempFile()
{
    reset();
}

TempFile::TempFile(TempFile&& other) noexcept : m_path(other.release()) { }

TempFile& TempFile::operator=(TempFile&& other) noexcept
{
    if (this != &other) {
        reset();
        m_path = other.release();
    }
    return *this;
}

std::string TempFile::release()
{
    return std::exchange(m_path, std::string());
}

void TempFile::reset()
{
    if (!m_path.empty())
        QFile::remove(QString::fromStdString(release()));
}
