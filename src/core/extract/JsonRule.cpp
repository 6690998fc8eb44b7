#include "core/extract/JsonRule.h"

#include "core/base/UrlVariables.h"
#include "core/base/Utf8.h"
#include "core/extract/JsonPath.h"

#include <algorithm>

namespace {

constexpr const char* kDateTag = "|date:";
constexpr const char* kTimeTag = "|time:";

std::string escaped(const std::string& path)
{
    std::string text;
    for (char c : path) {
        if (c == '|' || c == '\\')
            text += '\\';
        text += c;
    }
    return text;
}

// Reads one path from `pos` up to an unescaped "|" or the end; none on a stray escape.
std::optional<std::string> unescaped(const std::string& text, size_t& pos)
{
    std::string path;
    while (pos < text.size() && text[pos] != '|') {
        if (text[pos] == '\\') {
            if (++pos >= text.size() || (text[pos] != '|' && text[pos] != '\\'))
                return std::nullopt;
        }
        path += text[pos++];
    }
    return path;
}

bool hasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; });
}

std::string withPlaceholderLetters(std::string path)
{
    for (const char* variable : {"[&name]", "[&symbol]"}) {
        for (size_t at = path.find(variable); at != std::string::npos; at = path.find(variable, at + 1))
            path.replace(at, std::char_traits<char>::length(variable), "a");
    }
    return path;
}

} // namespace

JsonRule::JsonRule(std::string valuePath, std::string datePath, std::string timePath)
    : m_valuePath(std::move(valuePath)), m_datePath(std::move(datePath)), m_timePath(std::move(timePath))
{
}

bool JsonRule::isJsonRule(const std::string& regExp)
{
    return regExp.starts_with(kPrefix);
}

std::optional<JsonRule> JsonRule::decode(const std::string& regExp)
{
    if (!isJsonRule(regExp))
        return std::nullopt;
    size_t pos = std::char_traits<char>::length(kPrefix);
    JsonRule rule;
    std::optional<std::string> value = unescaped(regExp, pos);
    if (!value)
        return std::nullopt;
    rule.m_valuePath = std::move(*value);
    for (auto [tag, path] : {std::pair{kDateTag, &rule.m_datePath}, std::pair{kTimeTag, &rule.m_timePath}}) {
        if (regExp.compare(pos, std::char_traits<char>::length(tag), tag) != 0)
            continue;
        pos += std::char_traits<char>::length(tag);
        std::optional<std::string> read = unescaped(regExp, pos);
        // An empty path is written by leaving its tag out.
        if (!read || read->empty())
            return std::nullopt;
        *path = std::move(*read);
    }
    if (pos != regExp.size())
        return std::nullopt;
    return rule;
}

std::string JsonRule::encode() const
{
    std::string text = kPrefix + escaped(m_valuePath);
    if (!m_datePath.empty())
        text += kDateTag + escaped(m_datePath);
    if (!m_timePath.empty())
        text += kTimeTag + escaped(m_timePath);
    return text;
}

Status JsonRule::check() const
{
    if (m_valuePath.empty())
        return Status::error(Status::Code::InvalidInput, "The JSON rule needs a value path.");
    for (const std::string* path : {&m_valuePath, &m_datePath, &m_timePath}) {
        if (hasControlCharacter(*path))
            return Status::error(Status::Code::InvalidInput, "A JSON path must not hold control characters.");
        if (path->empty())
            continue;
        const Result<JsonPath> parsed = JsonPath::parse(withPlaceholderLetters(*path));
        if (!parsed)
            return parsed.status();
    }
    if (utf8Length(encode()) > UrlVariables::kMaxLength)
        return Status::error(Status::Code::InvalidInput, kTooLong);
    return Status::ok();
}

Result<JsonRule> JsonRule::withItemVariables(const std::string& name, const std::string& symbol) const
{
    JsonRule rule;
    rule.m_valuePath = UrlVariables::substituteItemVariables(m_valuePath, name, symbol).text;
    rule.m_datePath = UrlVariables::substituteItemVariables(m_datePath, name, symbol).text;
    rule.m_timePath = UrlVariables::substituteItemVariables(m_timePath, name, symbol).text;
    if (utf8Length(rule.encode()) > UrlVariables::kMaxLength)
        return Status::error(Status::Code::InvalidInput, kTooLong);
    return rule;
}
