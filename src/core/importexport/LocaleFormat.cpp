#include "importexport/LocaleFormat.h"

#include <cstdio>
#include <vector>

namespace LocaleFormat {

std::string localTime(time_t time, const char* format)
{
    tm local{};
    if (!localtime_r(&time, &local))
        return {};
    // strftime gives 0 both for "too small" and for an empty result; stop growing at a sane size.
    for (size_t size = 64; size <= 4096; size *= 4) {
        std::vector<char> buffer(size);
        const size_t length = std::strftime(buffer.data(), buffer.size(), format, &local);
        if (length > 0)
            return std::string(buffer.data(), length);
    }
    return {};
}

std::string number(const char* format, double value)
{
    const int length = std::snprintf(nullptr, 0, format, value);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, value);
    return text;
}

} // namespace LocaleFormat
