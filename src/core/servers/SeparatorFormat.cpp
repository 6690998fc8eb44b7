// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/SeparatorFormat.h"

namespace {

struct Pair {
    const char* thousands;
    const char* decimal;
};

const Pair kPairs[SeparatorFormat::kCount] = {{".", ","}, {"", ","}, {",", "."}, {"", "."}};

} // namespace

namespace SeparatorFormat {

const char* const kSamples[kCount] = {"9.999,99", " 9999,99", "9,999.99", " 9999.99"};

int indexOf(const std::string& thousands, const std::string& decimal)
{
    for (int i = 0; i < kCount; ++i)
        if (thousands == kPairs[i].thousands && decimal == kPairs[i].decimal)
            return i;
    return -1;
}

void pairFor(int index, std::string& thousands, std::string& decimal)
{
    const Pair& pair = (index == 0 || index == 2 || index == 3) ? kPairs[index] : kPairs[1];
    thousands = pair.thousands;
    decimal = pair.decimal;
}

int indexOfSample(const std::string& sample)
{
    for (int i = 0; i < kCount; ++i)
        if (sample == kSamples[i])
            return i;
    return -1;
}

} // namespace SeparatorFormat
