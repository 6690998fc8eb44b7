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
    // Most texts are a status line: formatted once into the stack, and only a longer one a second time.
    char shortText[256];
    const int length = std::vsnprintf(shortText, sizeof shortText, fmt, copy);
    va_end(copy);
    std::string text;
    if (length > 0 && static_cast<size_t>(length) < sizeof shortText) {
        text.assign(shortText, static_cast<size_t>(length));
    } else if (length > 0) {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, fmt, args);
    }
    va_end(args);
    return text;
}
