// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/extract/PageConverter.h"
#include "core/servers/ServerConfig.h"

#include <functional>
#include <string>
#include <vector>

// Derives standard-search rules from a sample page and a quotation the user read off it.
namespace WizardRules {

struct Rule {
    PageConverter::Mode mode = PageConverter::Mode::SemiHtml;
    int tags = 0;
    int numbers = 0;
    std::string startText;
    // The page region the rule covers, in bytes.
    size_t regionStart = 0;
    size_t regionLength = 0;
};

constexpr int kMaxNumbers = 5;

// Called after each pattern tried with the steps done and the steps in all.
using Progress = std::function<void(int done, int total)>;

// The largest tag count tried: 15 on semi-html pages, else 0.
int largestTagCount(PageConverter::Mode mode);
// `page` is the page version of `mode` as PageText::forSearch made it. Rules come numbers outer, tags inner.
// Fails when generation cannot run ("Please enter the quotation to be extracted!", ...) or takes longer than an
// extraction of the page may ("RegExp matching error -47").
Result<std::vector<Rule>> generate(const std::string& page, PageConverter::Mode mode, const std::string& quotation,
                                   const Progress& progress = {});
// The rule as the wizard lists it.
std::string listText(const Rule& rule);
// The start text with the item's name put back as "[&name]" and then its symbol as "[&symbol]".
std::string startTextWithVariables(const std::string& startText, const std::string& name, const std::string& symbol);
// Gives `config` the rule, the page address and the separator pair; other fields keep their values.
// Refused when the start text with its variables is longer than 259 characters.
Status apply(const Rule& rule, const std::string& url, const std::string& thousands, const std::string& decimal,
             const std::string& name, const std::string& symbol, ServerConfig& config);

} // namespace WizardRules
