// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FileReader.h"

#include "core/base/NativePath.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace {

std::optional<std::string> readOpened(QFile& file)
{
    std::string bytes;
    // One sized read; files without a size (/proc) and files that grew are read on to their end.
    const qint64 size = file.isSequential() ? 0 : file.size();
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        const qint64 got = file.read(bytes.data(), size);
        if (got < 0)
            return std::nullopt;
        bytes.resize(static_cast<size_t>(got));
    }
    char block[65536];
    for (;;) {
        const qint64 got = file.read(block, sizeof block);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        bytes.append(block, static_cast<size_t>(got));
    }
    return bytes;
}

} // namespace

std::optional<std::string> readWholeFile(const std::string& path)
{
    // A folder, device or FIFO is refused before opening: opening a FIFO without a writer never returns.
    QFile file(NativePath::forQt(path));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    try {
        return readOpened(file);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
