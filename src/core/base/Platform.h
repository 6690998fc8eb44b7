// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Compiler and system differences, kept out of the rest of the code.

#if defined(__GNUC__) || defined(__clang__)
#define TICKORA_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define TICKORA_PRINTF_FORMAT(formatIndex, firstArgument)
#endif
