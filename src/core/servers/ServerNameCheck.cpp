#include "core/servers/ServerNameCheck.h"

#include <algorithm>

Status CheckServerName(const std::string& name)
{
    if (name.empty())
        return Status::error(Status::Code::InvalidInput, "Please enter a server name!");
    const bool refused = std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f || c == '\\';
    });
    if (refused)
        return Status::error(Status::Code::InvalidInput,
                             "A server name must not contain a line break, another control character or a "
                             "backslash.");
    return Status::ok();
}
