// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The four number formats a server can name, in the order lists offer them.
namespace SeparatorFormat {

constexpr int kCount = 4;
extern const char* const kSamples[kCount];

// List position of a stored pair, or -1 when it matches none.
int indexOf(const std::string& thousands, const std::string& decimal);
// The pair stored for a list position; position 1 and "no selection" (-1) give "" and ",".
void pairFor(int index, std::string& thousands, std::string& decimal);
// List position of a sample text as shown, or -1.
int indexOfSample(const std::string& sample);

} // namespace SeparatorFormat
