// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/SecretRedaction.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::array<std::string_view, 5> kSecretNameParts = {"key", "token", "secret", "pass", "sig"};
constexpr std::string_view kHidden = "***";

bool isSecretName(std::string_view name)
{
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(kSecretNameParts.begin(), kSecretNameParts.end(),
                       [&](std::string_view part) { return folded.find(part) != std::string::npos; });
}

bool endsName(char c)
{
    return c == '=' || c == '&' || c == '?' || c == '#' || std::isspace(static_cast<unsigned char>(c));
}

// Quotes and angle brackets end a value too: they close the address inside a message or a page excerpt.
bool endsValue(char c)
{
    return c == '&' || c == '#' || c == '"' || c == '\'' || c == '<' || c == '>' ||
        std::isspace(static_cast<unsigned char>(c)) || std::iscntrl(static_cast<unsigned char>(c));
}

} // namespace

std::string redactSecrets(std::string_view text)
{
    std::string redacted;
    redacted.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos++];
        redacted += c;
        if (c != '?' && c != '&')
            continue;
        size_t nameEnd = pos;
        while (nameEnd < text.size() && !endsName(text[nameEnd]))
            ++nameEnd;
        if (nameEnd == text.size() || text[nameEnd] != '=' || !isSecretName(text.substr(pos, nameEnd - pos)))
            continue;
        size_t valueEnd = nameEnd + 1;
        while (valueEnd < text.size() && !endsValue(text[valueEnd]))
            ++valueEnd;
        redacted.append(text.substr(pos, nameEnd + 1 - pos));
        if (valueEnd > nameEnd + 1)
            redacted.append(kHidden);
        pos = valueEnd;
    }
    return redacted;
}
