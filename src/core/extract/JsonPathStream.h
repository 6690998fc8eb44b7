// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/JsonPath.h"

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

// Evaluates a JSON path while the page is read, keeping only what the path can still reach, so memory
// follows the path rather than the page. Finds what JsonPath::evaluate finds in the page's JsonPage.
class JsonPathStream {
public:
    // A found container is kept only as far as its excerpt shows, at most kKeptNodes values.
    static constexpr size_t kKeptNodes = 64;

    struct Outcome {
        // The 1-based byte at which the page stopped being JSON, as JsonPage reports it; 0 for valid JSON.
        size_t errorByte = 0;
        std::optional<nlohmann::ordered_json> value;
        // The path's text up to the last step that matched.
        std::string matched;
    };

    // Without a path only checks that the page is JSON.
    static Outcome evaluate(std::string_view page, const JsonPath* path);

private:
    class Reader;
};
