// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/NativePath.h"

#include <map>
#include <mutex>

#ifdef __linux__
#include <fcntl.h>
#endif

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the UTF-8 sequence at `pos`, or 0 when the bytes there are no valid sequence.
size_t sequenceLength(std::string_view bytes, size_t pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (pos + length > bytes.size() || byte(pos + 1) < low || byte(pos + 1) > high)
        return 0;
    for (size_t i = pos + 2; i < pos + length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

#ifdef __linux__
// Descriptors stay open so their /proc names keep reaching the same files.
QString heldOpen(const std::string& path, int flags)
{
    static std::mutex lock;
    static std::map<std::pair<std::string, int>, int> held;
    const std::lock_guard guard(lock);
    auto found = held.find({path, flags});
    if (found == held.end()) {
        const int descriptor = ::open(path.c_str(), O_PATH | O_CLOEXEC | flags);
        if (descriptor < 0)
            return {};
        found = held.emplace(std::pair{path, flags}, descriptor).first;
    }
    return QStringLiteral("/proc/self/fd/%1").arg(found->second);
}
#endif

} // namespace

namespace NativePath {

bool isUtf8(std::string_view bytes)
{
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = sequenceLength(bytes, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

QString fromArgument(std::string_view bytes)
{
    QString text;
    size_t runStart = 0;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = sequenceLength(bytes, pos);
        if (length > 0) {
            pos += length;
            continue;
        }
        text += QString::fromUtf8(bytes.data() + runStart, qsizetype(pos - runStart));
        text += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[pos])));
        runStart = ++pos;
    }
    return text + QString::fromUtf8(bytes.data() + runStart, qsizetype(bytes.size() - runStart));
}

std::string toBytes(const QString& text)
{
    std::string bytes;
    qsizetype runStart = 0;
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const char16_t unit = text[pos].unicode();
        const bool escaped =
            unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF && (pos == 0 || !text[pos - 1].isHighSurrogate());
        if (!escaped)
            continue;
        bytes += text.mid(runStart, pos - runStart).toStdString();
        bytes += static_cast<char>(unit - kEscapeBase);
        runStart = pos + 1;
    }
    return bytes + text.mid(runStart).toStdString();
}

QString forQt(const std::string& path)
{
    if (isUtf8(path))
        return QString::fromStdString(path);
#ifdef __linux__
    if (QString file = heldOpen(path, 0); !file.isEmpty())
        return file;
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (QString held = heldOpen(folder, O_DIRECTORY); isUtf8(name) && !held.isEmpty())
        return held + '/' + QString::fromStdString(name);
#endif
    return fromArgument(path);
}

} // namespace NativePath
