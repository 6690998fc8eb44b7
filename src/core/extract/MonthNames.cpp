// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/MonthNames.h"

#include "core/base/TextCompare.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

const std::vector<std::vector<std::string_view>>& table()
{
    static const std::vector<std::vector<std::string_view>> names = {
        {"jan", "january", "januar", "janeiro"},
        {"feb", "fev", "february", "februar", "fevereiro"},
        {"mar", "mär", "march", "märz", "março"},
        {"apr", "abr", "april", "abril"},
        {"may", "mai", "maio"},
        {"jun", "june", "juni", "junho"},
        {"jul", "july", "juli", "julho"},
        {"aug", "ago", "august", "agosto"},
        {"sep", "set", "september", "setembro"},
        {"oct", "okt", "out", "october", "oktober", "outubro"},
        {"nov", "november", "novembro"},
        {"dec", "dez", "december", "dezember", "dezembro"},
    };
    return names;
}

} // namespace

namespace MonthNames {

const char* importAlternation()
{
    return "([0-9]+|jan|january|januar|janeiro|feb|fev|february|februar|fevereiro|mar|mär|march|märz|março|"
           "apr|abr|april|abril|may|mai|maio|jun|june|juni|junho|jul|july|juli|julho|aug|ago|august|agosto|"
           "sep|set|september|setembro|oct|okt|out|october|oktober|outubro|nov|november|novembro|"
           "dec|dez|december|dezember|dezembro)";
}

int monthOf(std::string_view capture)
{
    // Every name begins with an ASCII letter; numbers, the common case, are answered at once.
    if (!capture.empty() && !std::isalpha(static_cast<unsigned char>(capture.front())))
        return 0;
    const std::string folded = foldCase(capture);
    for (size_t month = 0; month < table().size(); ++month)
        for (std::string_view name : table()[month])
            if (name.starts_with(folded))
                return static_cast<int>(month) + 1;
    return 0;
}

} // namespace MonthNames
