// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/ExtractResult.h"

#include "core/base/SecretRedaction.h"

std::string ExtractResult::statusText() const
{
    const std::string excerpt = redactSecrets(this->excerpt);
    switch (status) {
    case ExtractStatus::StartTextNotFound:
        return "Error: Text not found!";
    case ExtractStatus::InvalidValue:
        return "Error: Invalid value!";
    case ExtractStatus::PageNotJson:
        return "Error: Page is not JSON! (" + excerpt + ")";
    case ExtractStatus::JsonPathNotFound:
        return "Error: JSON path not found! (" + excerpt + ")";
    case ExtractStatus::XPathNotFound:
        return "Error: XPath not found! (" + excerpt + ")";
    default:
        return excerpt.empty() ? "Error: Quotation not found!!" : "Error: Quotation not found!! (" + excerpt + ")";
    }
}
