// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/LocaleFormat.h"

#include "core/base/FormatText.h"
#include "core/base/LocalTime.h"

#include <vector>

namespace LocaleFormat {

std::string localTime(time_t time, const char* format)
{
    const std::optional<tm> local = localCalendarTime(time);
    if (!local)
        return {};
    // strftime gives 0 both for "too small" and for an empty result; stop growing at a sane size.
    for (size_t size = 64; size <= 4096; size *= 4) {
        std::vector<char> buffer(size);
        const size_t length = std::strftime(buffer.data(), buffer.size(), format, &*local);
        if (length > 0)
            return std::string(buffer.data(), length);
    }
    return {};
}

std::string number(const char* format, double value)
{
    return formatText(format, value);
}

} // namespace LocaleFormat
