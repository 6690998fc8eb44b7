// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Utf8.h"

int utf8Length(const std::string& text)
{
    int count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++count;
    return count;
}
