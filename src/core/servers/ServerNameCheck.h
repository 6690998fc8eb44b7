#pragma once

#include "core/base/Status.h"

#include <string>

// A name a server can be stored under: not empty, without line breaks, other control characters or
// backslashes (they would not survive the settings store and the registry export).
Status CheckServerName(const std::string& name);
