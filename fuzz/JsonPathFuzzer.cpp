// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonPathCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!checkJsonPathInput(data, size))
        __builtin_trap();
    return 0;
}
