// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/QuotationNumber.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool continuesWith(const char* text, const std::string& piece)
{
    return !piece.empty() && std::strncmp(text, piece.c_str(), piece.size()) == 0;
}

// Whether the plain form (digits with at most one point, no exponent) is below 1 in size.
bool belowOne(const char* first, const char* last)
{
    const std::string_view whole(first, static_cast<size_t>(last - first));
    const std::string_view integer = whole.substr(0, whole.find('.'));
    return integer.find_first_not_of("-0") == std::string_view::npos;
}

// Locale-independent conversion of the rebuilt plain form. A number too large for a double is
// refused as invalid rather than stored as infinity; one too small for it is 0.
ExtractStatus convert(const std::string& plain, double& value)
{
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    if (first != last && *first == '+')
        ++first;
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(first, last, parsed);
    if (ec == std::errc::result_out_of_range && end == last && belowOne(first, last)) {
        value = 0.0;
        return ExtractStatus::QuotationFound;
    }
    value = ec == std::errc() ? parsed : 0.0;
    if (value != 0.0)
        return ExtractStatus::QuotationFound;
    return ec == std::errc() && end == last ? ExtractStatus::QuotationFound : ExtractStatus::InvalidValue;
}

} // namespace

ExtractStatus parseQuotationNumber(const char* text, const std::string& thousands, const std::string& decimal,
                                   double& value)
{
    value = 0.0;
    if (!text || !(isDigit(text[0]) || text[0] == '-' || text[0] == '+'))
        return ExtractStatus::QuotationNotFound;
    const size_t length = std::strlen(text);
    std::string plain;
    size_t segmentStart = 0;
    bool separatorJustPassed = false;
    size_t pos = 1;
    while (pos + 1 < length) {
        if (isDigit(text[pos])) {
            while (isDigit(text[pos]))
                ++pos;
            separatorJustPassed = false;
        } else if (separatorJustPassed) {
            return convert(plain, value);
        }
        if (continuesWith(text + pos, thousands)) {
            plain.append(text + segmentStart, pos - segmentStart);
            pos += thousands.size();
        } else if (continuesWith(text + pos, decimal)) {
            plain.append(text + segmentStart, pos - segmentStart);
            plain += '.';
            pos += decimal.size();
        } else {
            plain.append(text + segmentStart, pos - segmentStart);
            return convert(plain, value);
        }
        separatorJustPassed = true;
        segmentStart = pos;
    }
    return ExtractStatus::QuotationNotFound;
}
