// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Addresses carry keys in their query strings; texts that are shown, logged or stored write the values of
// query parameters whose name holds "key", "token", "secret", "pass" or "sig" (any case) as "***".
std::string redactSecrets(std::string_view text);
