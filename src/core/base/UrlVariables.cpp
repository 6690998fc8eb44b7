// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/UrlVariables.h"
#include "core/base/LocalTime.h"
#include "core/base/Utf8.h"

#include <cstdio>
#include <utility>

namespace {

enum class Shift { None, Day, Hour, Minute };

struct DateVariable {
    const char* text;
    Shift shiftUnit;
};

// The fixed order of one pass.
const DateVariable kDateVariables[] = {
    {"[&d]", Shift::Day},  {"[&dw]", Shift::Day}, {"[&m]", Shift::None},     {"[&mstr]", Shift::None},
    {"[&y]", Shift::None}, {"[&h]", Shift::Hour}, {"[&min]", Shift::Minute},
};

const char* const kMonthNames[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                     "jul", "aug", "sep", "oct", "nov", "dec"};

time_t shiftSeconds(Shift unit)
{
    switch (unit) {
    case Shift::Day:
        return 86400;
    case Shift::Hour:
        return 3600;
    case Shift::Minute:
        return 60;
    default:
        return 0;
    }
}

std::string valueText(const char* variable, const std::tm& local)
{
    const std::string name = variable;
    char buffer[16];
    if (name == "[&d]")
        std::snprintf(buffer, sizeof buffer, "%02d", local.tm_mday);
    else if (name == "[&dw]")
        std::snprintf(buffer, sizeof buffer, "%d", local.tm_wday);
    else if (name == "[&m]")
        std::snprintf(buffer, sizeof buffer, "%02d", local.tm_mon + 1);
    else if (name == "[&mstr]")
        return kMonthNames[local.tm_mon];
    else if (name == "[&y]")
        std::snprintf(buffer, sizeof buffer, "%d", local.tm_year + 1900);
    else if (name == "[&h]")
        std::snprintf(buffer, sizeof buffer, "%02d", local.tm_hour);
    else
        std::snprintf(buffer, sizeof buffer, "%02d", local.tm_min);
    return buffer;
}

bool replaceFirst(std::string& text, const std::string& variable, const std::string& replacement)
{
    const size_t found = text.find(variable);
    if (found == std::string::npos)
        return false;
    text.replace(found, variable.size(), replacement);
    return true;
}

size_t replaceAll(std::string& text, const std::string& variable, const std::string& replacement)
{
    size_t count = 0;
    for (size_t found = text.find(variable); found != std::string::npos;
         found = text.find(variable, found + replacement.size())) {
        text.replace(found, variable.size(), replacement);
        ++count;
    }
    return count;
}

UrlVariables::Substitution finish(std::string text, bool changed)
{
    const bool tooLong = utf8Length(text) > UrlVariables::kMaxLength;
    return {std::move(text), changed, tooLong};
}

} // namespace

namespace UrlVariables {

Substitution substituteItemVariables(const std::string& text, const std::string& name, const std::string& symbol)
{
    std::string result = text;
    bool changed = replaceFirst(result, "[&name]", name);
    changed = replaceFirst(result, "[&symbol]", symbol) || changed;
    return finish(std::move(result), changed);
}

Substitution substituteDateVariables(const std::string& text, time_t& referenceTime, int shift)
{
    std::string result = text;
    bool shiftPending = shift > 0;
    bool changed = false;
    bool replacedInPass = true;
    while (replacedInPass) {
        replacedInPass = false;
        for (const DateVariable& variable : kDateVariables) {
            const size_t found = result.find(variable.text);
            if (found == std::string::npos)
                continue;
            if (shiftPending && variable.shiftUnit != Shift::None) {
                referenceTime -= static_cast<time_t>(shift) * shiftSeconds(variable.shiftUnit);
                shiftPending = false;
            }
            const std::tm local = localCalendarTime(referenceTime).value_or(std::tm{});
            result.replace(found, std::char_traits<char>::length(variable.text), valueText(variable.text, local));
            replacedInPass = true;
            changed = true;
        }
    }
    return finish(std::move(result), changed);
}

Substitution substituteDateVariablesNow(const std::string& text, int shift)
{
    time_t now = std::time(nullptr);
    return substituteDateVariables(text, now, shift);
}

Substitution substitutePeriodVariables(const std::string& text, time_t begin, time_t end)
{
    const std::tm first = localCalendarTime(begin).value_or(std::tm{});
    const std::tm last = localCalendarTime(end).value_or(std::tm{});
    const std::pair<const char*, int> variables[] = {
        {"[&day_begin]", first.tm_mday},    {"[&month_begin]", first.tm_mon + 1},
        {"[&month_begin-1]", first.tm_mon}, {"[&year_begin]", first.tm_year + 1900},
        {"[&day_end]", last.tm_mday},       {"[&month_end]", last.tm_mon + 1},
        {"[&month_end-1]", last.tm_mon},    {"[&year_end]", last.tm_year + 1900},
    };
    std::string result = text;
    size_t replaced = 0;
    for (const auto& [variable, value] : variables)
        replaced += replaceAll(result, variable, std::to_string(value));
    return finish(std::move(result), replaced > 0);
}

Substitution webPageAddress(const std::string& urlTemplate, const std::string& name, const std::string& symbol)
{
    const Substitution dated = substituteDateVariablesNow(urlTemplate, 0);
    Substitution address = substituteItemVariables(dated.text, name, symbol);
    address.changed = address.changed || dated.changed;
    return address;
}

} // namespace UrlVariables
