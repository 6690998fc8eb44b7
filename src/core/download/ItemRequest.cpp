// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/ItemRequest.h"

#include "core/base/UrlVariables.h"
#include "core/extract/QuotationExtractor.h"

#include <utility>

ItemRequest ItemRequest::build(const std::string& name, const std::string& symbol, ServerConfig rules)
{
    ItemRequest request;
    const auto expanded = UrlVariables::substituteItemVariables(rules.URL, name, symbol);
    request.url = expanded.text;
    request.rules = std::move(rules);
    // A text that grows past 259 characters is never sent: the result says which.
    if (expanded.tooLong) {
        request.refusal = "Error: The address is longer than 259 characters with the item's name and symbol put in!";
        return request;
    }
    for (const std::string& line : request.rules.Headers)
        request.headers.push_back(UrlVariables::substituteItemVariables(line, name, symbol).text);
    Result<ServerConfig> withItem = QuotationExtractor::withItemVariables(request.rules, name, symbol);
    if (!withItem)
        request.refusal = "Error: " + withItem.message();
    else
        request.rules = std::move(*withItem);
    return request;
}
