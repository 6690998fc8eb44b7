// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ItemNames.h"

#include <QString>

#include <algorithm>

namespace ItemNames {

std::string textRefusal(const std::string& name)
{
    // A blank name gives a row that cannot be told from another blank one.
    if (QString::fromStdString(name).trimmed().isEmpty())
        return "Please enter a name for the item.";
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
        return "An item name must not contain a tab, a line break or another control character.";
    return {};
}

std::string refusal(const PortfolioDocument& doc, const std::string& name, PortfolioDocument::ItemId self)
{
    if (std::string text = textRefusal(name); !text.empty())
        return text;
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        if (doc.itemId(pos) != self && doc.item(pos).name == name)
            return QStringLiteral("%1 already exists in the portfolio.")
                .arg(QString::fromStdString(name))
                .toStdString();
    }
    return {};
}

} // namespace ItemNames
