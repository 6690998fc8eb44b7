// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerConfigExport.h"

#include "core/base/AtomicFileWriter.h"
#include "core/base/Windows1252.h"
#include "core/servers/ServerStore.h"
#include "core/settings/SettingsKeys.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

const char* const kLineEnd = "\r\n";
const std::string kStoreKey =
    std::string("Software\\") + SettingsKeys::kOrganisationName + "\\" + SettingsKeys::kApplicationName + "\\";
const std::string kServerKey = kStoreKey + "Server\\";

// Value lines in the order a registry import file lists them.
const char* const kExportOrder[] = {
    "URL",
    "TAUSEND",
    "DECIMAL",
    "Text_before_Value",
    "Timeout",
    "Format",
    "Nr_HTML_before_Value",
    "Numbers_before_Value",
    "NoCaseSensitiv",
    "Filtering",
    "RegExp",
    "RegExpQuotationIndex",
    "bRegExpExtractDate",
    "RegExpDayIndex",
    "RegExpMonthIndex",
    "RegExpYearIndex",
    "bRegExpExtractTime",
    "RegExpHourIndex",
    "RegExpMinuteIndex",
};

const ServerConfig::Field& fieldNamed(std::string_view key)
{
    const auto& fields = ServerConfig::fields();
    return *std::find_if(fields.begin(), fields.end(), [key](const ServerConfig::Field& f) { return f.key == key; });
}

std::string escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

std::string dword(int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<uint32_t>(value));
    return buffer;
}

// REG_MULTI_SZ bytes: each line in Windows-1252 with its terminating zero, then a final zero.
std::string multiString(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += Windows1252::fromUtf8Lossy(line) + '\0';
    bytes += '\0';
    std::string out = "hex(7):";
    char hex[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, i == 0 ? "%02x" : ",%02x", static_cast<unsigned char>(bytes[i]));
        out += hex;
    }
    return out;
}

void appendServer(std::string& out, const ServerConfig& config)
{
    out += "[HKEY_CURRENT_USER\\" + kServerKey + config.name + "]" + kLineEnd;
    for (const char* key : kExportOrder) {
        const ServerConfig::Field& f = fieldNamed(key);
        const std::string value = f.text ? "\"" + escaped(config.*f.text) + "\"" : dword(config.*f.number);
        out += "\"" + std::string(f.key) + "\"=" + value + kLineEnd;
    }
    if (!config.Headers.empty())
        out += "\"" + std::string(SettingsKeys::kServerHeaders) + "\"=" + multiString(config.Headers) + kLineEnd;
    if (!config.Fallback.empty())
        out += "\"" + std::string(SettingsKeys::kServerFallback) + "\"=\"" + escaped(config.Fallback) + "\"" + kLineEnd;
    if (!config.CrossCheck.empty()) {
        out += "\"" + std::string(SettingsKeys::kServerCrossCheck) + "\"=\"" + escaped(config.CrossCheck) + "\"" +
            kLineEnd;
        out += "\"" + std::string(SettingsKeys::kServerCrossCheckPercent) + "\"=" + dword(config.CrossCheckPercent) +
            kLineEnd;
    }
    out += kLineEnd;
}

} // namespace

namespace ServerConfigExport {

std::string render(const std::vector<ServerConfig>& servers, int presetVersion)
{
    std::string out = std::string("REGEDIT4") + kLineEnd + kLineEnd;
    out += "[HKEY_CURRENT_USER\\" + kServerKey + "]" + kLineEnd + kLineEnd;
    out += "[HKEY_CURRENT_USER\\" + kStoreKey + "Server Version]" + kLineEnd;
    out += "\"Version number\"=" + dword(presetVersion) + kLineEnd + kLineEnd;
    for (const ServerConfig& config : servers)
        appendServer(out, config);
    return out;
}

std::string encode(const std::string& text)
{
    std::string singleByte;
    return Windows1252::fromUtf8(text, singleByte) ? singleByte : text;
}

Status exportServerConfigs(const std::string& path)
{
    std::vector<ServerConfig> servers;
    for (const std::string& name : ServerStore::listServerNames()) {
        if (!ServerStore::checkServerName(name))
            continue;
        ServerConfig config;
        config.name = name;
        ServerStore::readServerConfig(name, config);
        servers.push_back(config);
    }
    const std::string bytes = encode(render(servers, ServerStore::storedPresetVersion()));
    const AtomicFileWriter::Result result = AtomicFileWriter::save(path, bytes);
    if (!result.refusal.empty())
        return Status::error(Status::Code::FileError, result.refusal);
    if (!result.saved)
        return Status::error(Status::Code::FileError, "File could not be saved: " + AtomicFileWriter::reason(result));
    return Status::ok();
}

} // namespace ServerConfigExport
