// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

// A path into a JSON document: "$" followed by steps ".key", "['key']" (with \' and \\), "[n]" (negative
// counts from the end), "[*]" and the filters "[?(@.key=='text')]" and "[?(@.key==number)]", where the
// filter's key may itself be a chain of ".key" and "['key']". "[*]" and the filters take the first
// element for which the rest of the path finds a value.
class JsonPath {
public:
    // Refused with the character position of the first fault.
    static Result<JsonPath> parse(std::string_view text);

    struct Found {
        // Null when the path finds nothing.
        const nlohmann::ordered_json* value = nullptr;
        // The path's text up to the last step that matched ("$" when none did).
        std::string matched;
    };
    Found evaluate(const nlohmann::ordered_json& root) const;

private:
    friend class JsonPathStream;

    struct Step {
        enum class Kind { Key, Index, Any, FilterText, FilterNumber };
        Kind kind = Kind::Key;
        std::string key;
        long long index = 0;
        // Filters: the keys after "@" and the text or number compared with.
        std::vector<std::string> member;
        std::string text;
        double number = 0.0;
        // Where the step ends in the path's text.
        size_t end = 0;
    };
    class Parser;

    const nlohmann::ordered_json* walk(const nlohmann::ordered_json& node, size_t step, size_t& deepest) const;
    const nlohmann::ordered_json* firstMatch(const nlohmann::ordered_json& node, size_t step, size_t& deepest) const;
    static bool filterHolds(const Step& step, const nlohmann::ordered_json& element);
    static bool comparesEqual(const Step& step, const nlohmann::ordered_json& value);
    std::string matchedText(size_t deepest) const;

    std::string m_text;
    std::vector<Step> m_steps;
};
