// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/ImportPattern.h"

#include "core/extract/MonthNames.h"

#include <utility>
#include <vector>

namespace {

void replaceAll(std::string& text, const std::string& placeholder, const std::string& replacement)
{
    for (size_t pos = text.find(placeholder); pos != std::string::npos;
         pos = text.find(placeholder, pos + replacement.size()))
        text.replace(pos, placeholder.size(), replacement);
}

} // namespace

ImportPattern ImportPattern::translate(const std::string& format, const std::string& thousands,
                                       const std::string& decimal, const std::string& symbol)
{
    ImportPattern result;
    const std::vector<std::pair<const char*, int*>> capturing = {
        {"[&day]", &result.dayIndex},   {"[&month]", &result.monthIndex},   {"[&year]", &result.yearIndex},
        {"[&hour]", &result.hourIndex}, {"[&minute]", &result.minuteIndex}, {"[&value]", &result.valueIndex},
    };
    std::vector<size_t> firstOccurrence;
    for (const auto& [placeholder, index] : capturing)
        firstOccurrence.push_back(format.find(placeholder));
    int counter = 1;
    for (size_t pos = format.find("[&"); pos != std::string::npos; pos = format.find("[&", pos + 1)) {
        for (size_t k = 0; k < capturing.size(); ++k)
            if (firstOccurrence[k] == pos)
                *capturing[k].second = counter++;
    }

    const std::string number = "[0-9" + thousands + decimal + "]+";
    result.pattern = format;
    replaceAll(result.pattern, "[&day]", "[ ]*([0-9]+)");
    replaceAll(result.pattern, "[&month]", MonthNames::importAlternation());
    replaceAll(result.pattern, "[&year]", "([0-9]+)");
    replaceAll(result.pattern, "[&hour]", "[ ]*([0-9]+)");
    replaceAll(result.pattern, "[&minute]", "([0-9]+)");
    replaceAll(result.pattern, "[&value]", "(" + number + ")");
    replaceAll(result.pattern, "[&dummyvalue]", number);
    replaceAll(result.pattern, "[&symbol]", symbol);
    return result;
}
