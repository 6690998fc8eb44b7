// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ItemClipboard.h"

#include "core/base/TextCompare.h"
#include "core/model/PortfolioArchive.h"

#include <algorithm>

namespace {

bool isShown(const std::string& name, const std::vector<std::string>& shownNames)
{
    return std::any_of(shownNames.begin(), shownNames.end(),
                       [&](const std::string& shown) { return compareIgnoringCase(shown, name) == 0; });
}

} // namespace

namespace ItemClipboard {

Result<QByteArray> copy(const std::vector<const PortfolioItem*>& items)
{
    return PortfolioArchive::write(items);
}

Result<std::vector<PortfolioItem>> paste(const QByteArray& stream, std::vector<std::string> shownNames)
{
    std::vector<PortfolioItem> items;
    if (!PortfolioArchive::read(stream.constData(), static_cast<size_t>(stream.size()), items, nullptr))
        return Status::error(Status::Code::FormatError, PortfolioArchive::kClipboardReadError);
    for (PortfolioItem& item : items) {
        item.name = pastedItemName(item.name, shownNames);
        item.isInvestedAmountHistory = 0;
        shownNames.push_back(item.name);
    }
    return items;
}

} // namespace ItemClipboard

std::string pastedItemName(const std::string& name, const std::vector<std::string>& shownNames)
{
    if (!isShown(name, shownNames))
        return name;
    const std::string copy = "Copy of " + name;
    if (!isShown(copy, shownNames))
        return copy;
    for (int i = 1;; ++i) {
        std::string candidate = copy + " (" + std::to_string(i) + ")";
        if (!isShown(candidate, shownNames))
            return candidate;
    }
}
