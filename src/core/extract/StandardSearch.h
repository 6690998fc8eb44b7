// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/ExtractResult.h"

#include <string>

// The plain-text rules: find the start text, skip numbers (and, on semi-html pages, tags), read the value.
// `page` is the converted page as PageText::forSearch made it.
namespace StandardSearch {

struct Rule {
    std::string startText;
    std::string thousands;
    std::string decimal;
    int tagsToSkip = 0;
    int numbersToSkip = 0;
    bool caseInsensitive = true;
};

ExtractResult search(const std::string& page, const Rule& rule);
ExtractResult tagSkipSearch(const std::string& page, const Rule& rule);

} // namespace StandardSearch
