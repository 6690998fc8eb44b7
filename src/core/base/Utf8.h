// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Counts the characters (code points) of a UTF-8 text.
int utf8Length(const std::string& text);
