// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/FigureText.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <string_view>

namespace FigureText {

void appendFixed(std::string& out, double value, int width, int decimals, bool sign)
{
    // The longest double written in fixed notation has 309 digits before the point.
    char digits[400];
    char* end = digits;
    if (sign && !std::signbit(value))
        *end++ = '+';
    end = std::to_chars(end, std::end(digits), value, std::chars_format::fixed, decimals).ptr;
    const std::string_view written(digits, static_cast<size_t>(end - digits));
    const std::string_view point = std::localeconv()->decimal_point;
    const size_t dot = written.find('.');
    const size_t length = dot == std::string_view::npos ? written.size() : written.size() - 1 + point.size();
    out.append(static_cast<size_t>(std::max<long>(0, long(width) - long(length))), ' ');
    if (dot == std::string_view::npos) {
        out += written;
        return;
    }
    out += written.substr(0, dot);
    out += point;
    out += written.substr(dot + 1);
}

std::string fixed(double value, int width, int decimals, bool sign)
{
    std::string text;
    appendFixed(text, value, width, decimals, sign);
    return text;
}

} // namespace FigureText
