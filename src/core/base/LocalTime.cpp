#include "core/base/LocalTime.h"

std::optional<tm> localCalendarTime(time_t time)
{
    tm parts{};
#ifdef _WIN32
    if (localtime_s(&parts, &time) != 0)
        return std::nullopt;
#else
    if (!localtime_r(&time, &parts))
        return std::nullopt;
#endif
    return parts;
}
