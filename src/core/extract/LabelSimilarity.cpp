// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/LabelSimilarity.h"

#include "core/base/TextCompare.h"

#include <algorithm>
#include <vector>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '<' || c == '>';
}

std::vector<std::string_view> pairsOf(std::string_view text)
{
    std::vector<std::string_view> pairs;
    size_t first = 0;
    while (first < text.size()) {
        size_t second = first + 1;
        while (second < text.size() && (static_cast<unsigned char>(text[second]) & 0xC0) == 0x80)
            ++second;
        size_t end = second + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        if (second >= text.size())
            break;
        pairs.push_back(text.substr(first, std::min(end, text.size()) - first));
        first = second;
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

} // namespace

namespace LabelSimilarity {

std::string normalized(std::string_view text)
{
    const std::string folded = foldCase(text);
    std::string result;
    for (char c : folded) {
        if (!isBlank(c))
            result += c;
        else if (!result.empty() && result.back() != ' ')
            result += ' ';
    }
    if (!result.empty() && result.back() == ' ')
        result.pop_back();
    return result;
}

double similarity(std::string_view a, std::string_view b)
{
    const std::string left = normalized(a);
    const std::string right = normalized(b);
    if (left.empty() || right.empty())
        return 0.0;
    if (left == right)
        return 1.0;
    const std::vector<std::string_view> leftPairs = pairsOf(left);
    const std::vector<std::string_view> rightPairs = pairsOf(right);
    if (leftPairs.empty() || rightPairs.empty())
        return 0.0;
    std::vector<std::string_view> shared;
    std::set_intersection(leftPairs.begin(), leftPairs.end(), rightPairs.begin(), rightPairs.end(),
                          std::back_inserter(shared));
    return 2.0 * static_cast<double>(shared.size()) / static_cast<double>(leftPairs.size() + rightPairs.size());
}

std::string labelOf(std::string_view textBefore)
{
    const size_t lastDigit = textBefore.find_last_of("0123456789");
    return normalized(lastDigit == std::string_view::npos ? textBefore : textBefore.substr(lastDigit + 1));
}

} // namespace LabelSimilarity
