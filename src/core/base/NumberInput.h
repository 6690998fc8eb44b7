// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <string_view>

// A number a user typed, on the command line or in a dialog. It is read in the locale's form when it
// contains the locale's decimal separator, otherwise in the C form; group separators are refused in
// both, so under de_DE "1.234" is 1.234 and "1.234,5" is refused. Refusals say "Please enter a number.".
Result<double> readNumber(std::string_view text);
// The same, refused with "Please enter a number between %.15g and %.15g." outside [min, max].
Result<double> readNumber(std::string_view text, double min, double max);
