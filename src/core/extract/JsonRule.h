// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <optional>
#include <string>

// The JSON rule's paths as a server stores them in `RegExp` (with `Filtering` nonzero): "(?!)json:" and the
// value path, then "|date:" and the date path and "|time:" and the time path when present, "|" and "\"
// inside a path written "\|" and "\\". The leading "(?!)" never matches, so a reader that takes the text
// for a regular expression finds nothing rather than a wrong value.
class JsonRule {
public:
    static constexpr const char* kPrefix = "(?!)json:";
    static constexpr const char* kTooLong = "The JSON paths are longer than 259 characters.";

    JsonRule() = default;
    JsonRule(std::string valuePath, std::string datePath, std::string timePath);

    // Whether a stored `RegExp` is meant as a JSON rule.
    static bool isJsonRule(const std::string& regExp);
    // The paths of a stored text; none when it is not a JSON rule written as above.
    static std::optional<JsonRule> decode(const std::string& regExp);
    std::string encode() const;

    // Refused when a path holds a control character or is not a valid path (item variables read as one
    // letter), when the value path is empty, or when the stored text would be longer than 259 characters.
    Status check() const;
    // Each path with the first "[&name]", then the first "[&symbol]" put in; refused with kTooLong
    // when the stored text becomes longer than 259 characters.
    Result<JsonRule> withItemVariables(const std::string& name, const std::string& symbol) const;

    const std::string& valuePath() const { return m_valuePath; }
    const std::string& datePath() const { return m_datePath; }
    const std::string& timePath() const { return m_timePath; }

private:
    std::string m_valuePath;
    std::string m_datePath;
    std::string m_timePath;
};
