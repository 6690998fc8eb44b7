// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/NumberInput.h"
#include "core/base/FormatText.h"

#include <clocale>
#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace {

constexpr const char* kNotANumber = "Please enter a number.";

std::string_view trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text in the C form, or "" when it mixes the locale's separators with the C decimal point.
std::string cForm(std::string_view text)
{
    const std::string decimal = std::localeconv()->decimal_point;
    std::string form(text);
    if (decimal.empty() || decimal == "." || form.find(decimal) == std::string::npos)
        return form;
    if (form.find('.') != std::string::npos)
        return {};
    const size_t at = form.find(decimal);
    return form.substr(0, at) + '.' + form.substr(at + decimal.size());
}

} // namespace

Result<double> readNumber(std::string_view text)
{
    const std::string form = cForm(trimmed(text));
    // The classic stream reads the C form whatever the locale; a number too small for a double is 0,
    // one too large fails.
    std::istringstream stream(form);
    stream.imbue(std::locale::classic());
    double value = 0;
    if (form.empty() || !(stream >> value) || stream.peek() != std::char_traits<char>::eof() || !std::isfinite(value))
        return Status::error(Status::Code::InvalidInput, kNotANumber);
    return value;
}

Result<double> readNumber(std::string_view text, double min, double max)
{
    Result<double> value = readNumber(text);
    if (value && (*value < min || *value > max))
        return Status::error(Status::Code::InvalidInput,
                             formatText("Please enter a number between %.15g and %.15g.", min, max));
    return value;
}
