// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerConfig.h"
#include "core/base/Utf8.h"

#include <algorithm>

ServerConfig ServerConfig::newItemDefaults()
{
    ServerConfig config;
    config.URL = "http://www.";
    config.Timeout = 180;
    config.Text_before_Value = "[&symbol]";
    config.RegExp = "[&symbol][\"', \\t\\r\\n]*([0-9,]+)";
    return config;
}

ServerConfig ServerConfig::newServerDefaults()
{
    ServerConfig config = newItemDefaults();
    config.DECIMAL = ",";
    return config;
}

std::optional<std::string> ServerConfig::overlongText() const
{
    const std::pair<const char*, const std::string*> texts[] = {{"name", &name},
                                                                {"URL", &URL},
                                                                {"TAUSEND", &TAUSEND},
                                                                {"DECIMAL", &DECIMAL},
                                                                {"Text_before_Value", &Text_before_Value},
                                                                {"RegExp", &RegExp}};
    for (const auto& [fieldName, text] : texts) {
        if (utf8Length(*text) > kMaxTextLength)
            return fieldName;
    }
    return std::nullopt;
}

Status ServerConfig::checkHeaderLine(const std::string& line)
{
    if (std::any_of(line.begin(), line.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return Status::error(Status::Code::InvalidInput,
                             "The request header '" + line + "' contains a line break or another control character.");
    const size_t colon = line.find(':');
    const std::string name = line.substr(0, colon);
    if (colon == std::string::npos || name.empty() || name.find(' ') != std::string::npos)
        return Status::error(Status::Code::InvalidInput,
                             "The request header '" + line + "' is not of the form \"Name: value\".");
    return Status::ok();
}

const std::array<ServerConfig::Field, 19>& ServerConfig::fields()
{
    static const std::array<Field, 19> table = {{
        {"URL", &ServerConfig::URL, nullptr},
        {"Timeout", nullptr, &ServerConfig::Timeout},
        {"TAUSEND", &ServerConfig::TAUSEND, nullptr},
        {"DECIMAL", &ServerConfig::DECIMAL, nullptr},
        {"Format", nullptr, &ServerConfig::Format},
        {"Text_before_Value", &ServerConfig::Text_before_Value, nullptr},
        {"Nr_HTML_before_Value", nullptr, &ServerConfig::Nr_HTML_before_Value},
        {"Numbers_before_Value", nullptr, &ServerConfig::Numbers_before_Value},
        {"NoCaseSensitiv", nullptr, &ServerConfig::NoCaseSensitiv},
        {"Filtering", nullptr, &ServerConfig::Filtering},
        {"RegExp", &ServerConfig::RegExp, nullptr},
        {"RegExpQuotationIndex", nullptr, &ServerConfig::RegExpQuotationIndex},
        {"bRegExpExtractDate", nullptr, &ServerConfig::bRegExpExtractDate},
        {"RegExpDayIndex", nullptr, &ServerConfig::RegExpDayIndex},
        {"RegExpMonthIndex", nullptr, &ServerConfig::RegExpMonthIndex},
        {"RegExpYearIndex", nullptr, &ServerConfig::RegExpYearIndex},
        {"bRegExpExtractTime", nullptr, &ServerConfig::bRegExpExtractTime},
        {"RegExpHourIndex", nullptr, &ServerConfig::RegExpHourIndex},
        {"RegExpMinuteIndex", nullptr, &ServerConfig::RegExpMinuteIndex},
    }};
    return table;
}
