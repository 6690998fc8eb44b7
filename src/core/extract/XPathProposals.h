// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/servers/ServerConfig.h"

#include <string>
#include <vector>

// XPath rules that find a quotation the user read off a sample page, for the server wizard: first by an
// id on the element or an ancestor, then by the label before it, then by a table column named in the
// header, then by stable class names. Each is kept only when evaluating it finds the quotation.
namespace XPathProposals {

constexpr size_t kMaxProposals = 12;

// `page` is the page in UTF-8 without conversion. Refused with "Please enter the quotation to be
// extracted!" for an empty quotation; an empty list when nothing on the page holds it.
Result<std::vector<std::string>> propose(const std::string& page, const std::string& quotation);
// Gives `config` the XPath rule, the page address, the separator pair and conversion 0; other fields keep
// their values. Refused as the rule's check refuses.
Status apply(const std::string& expression, const std::string& url, const std::string& thousands,
             const std::string& decimal, ServerConfig& config);

} // namespace XPathProposals
