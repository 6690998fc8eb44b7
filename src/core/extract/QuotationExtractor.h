// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/extract/ExtractResult.h"
#include "core/extract/ExtractionLimits.h"
#include "core/servers/ServerConfig.h"

#include <ctime>
#include <string>

// Runs the extraction rule a server names on a page: the JSON rule when `Filtering` is set and `RegExp`
// holds JSON paths, the XPath rule when it holds XPath expressions, the regular expression when `Filtering` is set,
// else the tag-skipping search on semi-html pages, else the standard search.
namespace QuotationExtractor {

// `rules` already has the item variables put into its start text and pattern;
// `page` is the converted page text (PageText::forSearch). `referenceTime` is when the quotation applies
// unless the rule extracts a date or time. `limits` also end a regular expression's search.
ExtractResult extract(const ServerConfig& rules, const std::string& page, time_t referenceTime,
                      const ExtractionLimits& limits = {});
// Applies the page encoding rule and the server's page conversion to raw page bytes first.
ExtractResult extractFromRawPage(const ServerConfig& rules, std::string rawPage, time_t referenceTime);
// The rules of an item's server with its name and symbol put into the text its rule uses: each JSON path
// of a JSON rule, each expression of an XPath rule, the pattern of a regular-expression rule, else the start text.
// Refused, naming it, when that text becomes longer than 259 characters.
Result<ServerConfig> withItemVariables(ServerConfig rules, const std::string& name, const std::string& symbol);

} // namespace QuotationExtractor
