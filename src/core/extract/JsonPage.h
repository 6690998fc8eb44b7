// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string_view>

// A page read as one JSON document. Members keep the order of the page, so "[*]" takes the first one
// written. Nesting deeper than kMaxDepth is refused, so neither reading nor releasing a hostile document
// can exhaust the stack.
class JsonPage {
public:
    static constexpr size_t kMaxDepth = 512;

    explicit JsonPage(std::string_view text);

    bool isValid() const { return m_errorByte == 0; }
    // The 1-based byte at which the text stopped being JSON; 0 for a valid document.
    size_t errorByte() const { return m_errorByte; }
    const nlohmann::ordered_json& document() const { return m_document; }

    // The 1-based byte of the bracket that opens one level more than kMaxDepth allows.
    static size_t tooDeepByte(std::string_view text);

private:
    nlohmann::ordered_json m_document;
    size_t m_errorByte = 0;
};
