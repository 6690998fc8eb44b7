// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/JsonExtract.h"
#include "core/extract/JsonPage.h"
#include "core/extract/JsonPath.h"
#include "core/extract/JsonPathStream.h"
#include "core/extract/JsonRule.h"
#include "core/extract/RegexExtract.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One fuzz input: a path on the first line, a JSON document after it. Whatever the bytes, the path is
// read or refused, what it finds lies in the document, the part that matched begins the path, the paths'
// stored form reads back to the same paths, reading the path while the page streams finds what the whole
// document finds, and extraction ends with one of its statuses.
// False when one of these promises is broken.
inline bool checkJsonPathInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = std::min(input.find('\n'), input.size());
    const std::string pathText(input.substr(0, lineEnd));
    const std::string_view documentText = input.substr(std::min(lineEnd + 1, input.size()));

    const JsonRule rule(pathText, pathText, pathText.empty() ? "" : "$" + pathText);
    const std::optional<JsonRule> decoded = JsonRule::decode(rule.encode());
    if (!decoded || decoded->valuePath() != rule.valuePath() || decoded->datePath() != rule.datePath() ||
        decoded->timePath() != rule.timePath() || decoded->encode() != rule.encode())
        return false;

    const JsonPage page(documentText);
    if (page.isValid() == (page.errorByte() != 0) || page.errorByte() > documentText.size() + 1)
        return false;
    const Result<JsonPath> path = JsonPath::parse(pathText);
    if (path) {
        const JsonPath::Found found = path->evaluate(page.document());
        if (!pathText.starts_with(found.matched) || (found.value && !page.isValid() && found.value != &page.document()))
            return false;
    }
    const JsonPathStream::Outcome streamed = JsonPathStream::evaluate(documentText, path ? &*path : nullptr);
    if (streamed.errorByte != page.errorByte())
        return false;
    if (path && page.isValid()) {
        const JsonPath::Found found = path->evaluate(page.document());
        if (streamed.matched != found.matched || streamed.value.has_value() != (found.value != nullptr) ||
            (found.value &&
             RegexExtract::captureExcerpt(streamed.value->dump()) != RegexExtract::captureExcerpt(found.value->dump())))
            return false;
    }
    const ExtractResult result = JsonExtract::extract(documentText, {rule, ".", ",", std::nullopt}, 1700000000);
    const int status = static_cast<int>(result.status);
    return (status >= 0 && status <= 3) || status == 7 || status == 8;
}
