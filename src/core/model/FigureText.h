// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The list's figures as printf writes "%W.Pf" and "%+W.Pf" under the current C locale, at a fraction of its cost:
// a listing formats several figures for every item.
namespace FigureText {

// `value` with `decimals` digits after the locale's decimal point, right-aligned to `width` bytes; with `sign`, a plus
// sign before every value whose sign bit is clear.
void appendFixed(std::string& out, double value, int width, int decimals, bool sign = false);
std::string fixed(double value, int width, int decimals, bool sign = false);

} // namespace FigureText
