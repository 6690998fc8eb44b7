// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/model/PortfolioItem.h"

#include <QByteArray>

#include <string>
#include <vector>

// Items on the clipboard: the portfolio stream of the copied items, and the names pasted items get.
namespace ItemClipboard {

// The stream of the given items, in the given order; refused when a time does not fit the stream.
Result<QByteArray> copy(const std::vector<const PortfolioItem*>& items);
// The items of a clipboard stream, renamed by pastedItemName against `shownNames` (the names the list
// shows, then those pasted before) and never the invested-amount history; refused when malformed.
Result<std::vector<PortfolioItem>> paste(const QByteArray& stream, std::vector<std::string> shownNames);

} // namespace ItemClipboard

// The name a pasted item gets when `name` is already shown: "Copy of " + name, then
// "Copy of name (1)", "(2)", ... until one is free. Names compare case-insensitively.
std::string pastedItemName(const std::string& name, const std::vector<std::string>& shownNames);
