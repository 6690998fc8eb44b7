// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FormatText.h"

#include <cstdarg>
#include <cstdio>

std::string formatText(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, fmt, args);
    va_end(args);
    return text;
}
