#pragma once

#include <string>

// printf-style formatting under the current C locale, as every displayed figure is.
std::string formatText(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
