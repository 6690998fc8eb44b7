// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/RuleRepairApply.h"

#include "core/base/FormatText.h"
#include "core/servers/ServerStore.h"

namespace {

// The 19 rule fields of `from` over those of `to`; name and headers stay.
void copyRuleFields(const ServerConfig& from, ServerConfig& to)
{
    for (const ServerConfig::Field& field : ServerConfig::fields()) {
        if (field.text)
            to.*field.text = from.*field.text;
        else
            to.*field.number = from.*field.number;
    }
}

} // namespace

namespace RuleRepairApply {

std::string storedServerOf(const PortfolioItem& item)
{
    const std::string& name = item.server.name;
    return name.empty() || name == ServerConfig::kUserDefinedName ? std::string() : name;
}

int itemsUsing(const PortfolioDocument& doc, const std::string& name)
{
    int count = 0;
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        count += storedServerOf(doc.item(pos)) == name ? 1 : 0;
    return count;
}

Status apply(PortfolioDocument& doc, int pos, const ServerConfig& rules)
{
    const std::string server = storedServerOf(doc.item(pos));
    if (server.empty()) {
        PortfolioItem fields = doc.item(pos);
        copyRuleFields(rules, fields.server);
        doc.updateItem(pos, fields);
        return Status::ok();
    }
    ServerConfig stored;
    ServerStore::readServerConfig(server, stored);
    copyRuleFields(rules, stored);
    return ServerStore::writeServerConfig(server, stored);
}

std::string serverChangedMessage(const std::string& server, int items)
{
    return formatText("Server %s changed: used by %d items.", server.c_str(), items);
}

} // namespace RuleRepairApply
