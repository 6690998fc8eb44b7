// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Platform.h"

#include <string>

// printf-style formatting under the current C locale, as every displayed figure is.
std::string formatText(const char* fmt, ...) TICKORA_PRINTF_FORMAT(1, 2);
