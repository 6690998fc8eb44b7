// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/LoadedLibrary.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

} // namespace

LoadedLibrary::LoadedLibrary(const char* name, int majorVersion, const std::string& purpose)
    : m_library(QString::fromLatin1(name), majorVersion), m_purpose(purpose)
{
    // Binding the library's dependencies among themselves first spares their symbols a search through Qt
    // and ICU, about 2 ms of libcurl's load. The address sanitizer's runtime refuses libraries loaded that way.
    if (!kAddressSanitizer)
        m_library.setLoadHints(QLibrary::DeepBindHint);
    if (!m_library.load())
        m_error = purpose + " could not be loaded: " + m_library.errorString().toStdString();
}

void* LoadedLibrary::address(const char* symbol)
{
    if (!m_error.empty())
        return nullptr;
    void* found = reinterpret_cast<void*>(m_library.resolve(symbol));
    if (found == nullptr)
        m_error = m_purpose + " lacks " + symbol + ".";
    return found;
}
