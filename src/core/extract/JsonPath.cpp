// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonPath.h"

#include "core/base/FormatText.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

using json = nlohmann::ordered_json;

class JsonPath::Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) { }

    Result<std::vector<Step>> steps()
    {
        skipBlanks();
        if (!take('$'))
            return fault("a path starts with \"$\"");
        std::vector<Step> steps;
        skipBlanks();
        while (m_pos < m_text.size()) {
            Step step;
            if (!readStep(step))
                return fault(m_error);
            step.end = m_pos;
            steps.push_back(std::move(step));
            skipBlanks();
        }
        return steps;
    }

private:
    Status fault(const std::string& what) const
    {
        return Status::error(Status::Code::InvalidInput,
                             formatText("Invalid JSON path at character %zu: %s.", m_pos + 1, what.c_str()));
    }
    bool fail(const char* what)
    {
        m_error = what;
        return false;
    }
    bool take(char c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool takeText(std::string_view text)
    {
        if (m_text.substr(m_pos, text.size()) != text)
            return false;
        m_pos += text.size();
        return true;
    }
    void skipBlanks()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
    }

    bool readStep(Step& step)
    {
        if (take('.'))
            return readDottedKey(step.key);
        if (!take('['))
            return fail("expected \".\" or \"[\"");
        skipBlanks();
        bool read = false;
        if (atQuote())
            read = readQuoted(step.key);
        else if (take('*')) {
            step.kind = Step::Kind::Any;
            read = true;
        } else if (takeText("?("))
            read = readFilter(step);
        else {
            step.kind = Step::Kind::Index;
            read = readInteger(step.index);
        }
        skipBlanks();
        return read && (take(']') || fail("expected \"]\""));
    }

    bool readDottedKey(std::string& key)
    {
        const size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '.' && m_text[m_pos] != '[' && m_text[m_pos] != ' ' &&
               m_text[m_pos] != ')' && m_text[m_pos] != '=')
            ++m_pos;
        key = m_text.substr(start, m_pos - start);
        return !key.empty() || fail("a key is missing");
    }

    bool atQuote() const { return m_pos < m_text.size() && (m_text[m_pos] == '\'' || m_text[m_pos] == '"'); }

    // Single or double quotes, as RFC 9535 allows; inside, only the quote itself and "\\" are escaped.
    bool readQuoted(std::string& text)
    {
        const char quote = m_text[m_pos++];
        while (m_pos < m_text.size() && m_text[m_pos] != quote) {
            if (m_text[m_pos] == '\\') {
                ++m_pos;
                if (m_pos >= m_text.size() || (m_text[m_pos] != quote && m_text[m_pos] != '\\'))
                    return fail(quote == '"' ? "only \\\" and \\\\ are escapes" : "only \\' and \\\\ are escapes");
            }
            text += m_text[m_pos++];
        }
        return take(quote) || fail("the quoted text is not closed");
    }

    bool readBracketKey(std::string& key)
    {
        ++m_pos;
        if (!atQuote())
            return fail("expected a quoted key");
        return readQuoted(key) && (take(']') || fail("expected \"]\""));
    }

    bool readInteger(long long& value)
    {
        const char* begin = m_text.data() + m_pos;
        const auto [end, error] = std::from_chars(begin, m_text.data() + m_text.size(), value);
        if (error != std::errc() || end == begin)
            return fail("expected an index, \"*\", a quoted key or a filter");
        m_pos += end - begin;
        return true;
    }

    bool readFilter(Step& step)
    {
        skipBlanks();
        if (!take('@'))
            return fail("a filter starts with \"@\"");
        while (m_pos < m_text.size() && (m_text[m_pos] == '.' || m_text[m_pos] == '[')) {
            std::string key;
            if (take('.') ? !readDottedKey(key) : !readBracketKey(key))
                return false;
            step.member.push_back(std::move(key));
        }
        if (step.member.empty())
            return fail("a filter compares a key");
        skipBlanks();
        if (!takeText("=="))
            return fail("expected \"==\"");
        skipBlanks();
        if (atQuote()) {
            step.kind = Step::Kind::FilterText;
            if (!readQuoted(step.text))
                return false;
        } else {
            step.kind = Step::Kind::FilterNumber;
            if (!readNumber(step.number))
                return false;
        }
        skipBlanks();
        return take(')') || fail("expected \")\"");
    }

    bool readNumber(double& value)
    {
        const char* begin = m_text.data() + m_pos;
        const auto [end, error] = std::from_chars(begin, m_text.data() + m_text.size(), value);
        if (error != std::errc() || end == begin || !std::isfinite(value))
            return fail("expected a quoted text or a number");
        m_pos += end - begin;
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
    const char* m_error = "";
};

Result<JsonPath> JsonPath::parse(std::string_view text)
{
    Result<std::vector<Step>> steps = Parser(text).steps();
    if (!steps)
        return steps.status();
    JsonPath path;
    path.m_text = std::string(text);
    path.m_steps = std::move(steps).value();
    return path;
}

JsonPath::Found JsonPath::evaluate(const json& root) const
{
    size_t deepest = 0;
    Found found;
    found.value = walk(root, 0, deepest);
    found.matched = matchedText(deepest);
    return found;
}

std::string JsonPath::matchedText(size_t deepest) const
{
    const size_t end = deepest == 0 ? m_text.find('$') + 1 : m_steps[deepest - 1].end;
    return m_text.substr(0, end);
}

const json* JsonPath::walk(const json& node, size_t step, size_t& deepest) const
{
    deepest = std::max(deepest, step);
    if (step == m_steps.size())
        return &node;
    const Step& current = m_steps[step];
    switch (current.kind) {
    case Step::Kind::Key: {
        if (!node.is_object())
            return nullptr;
        const auto member = node.find(current.key);
        return member == node.end() ? nullptr : walk(*member, step + 1, deepest);
    }
    case Step::Kind::Index: {
        if (!node.is_array())
            return nullptr;
        const auto size = static_cast<long long>(node.size());
        const long long index = current.index < 0 ? size + current.index : current.index;
        return index < 0 || index >= size ? nullptr : walk(node[static_cast<size_t>(index)], step + 1, deepest);
    }
    default:
        return firstMatch(node, step, deepest);
    }
}

const json* JsonPath::firstMatch(const json& node, size_t step, size_t& deepest) const
{
    if (!node.is_array() && !node.is_object())
        return nullptr;
    const Step& current = m_steps[step];
    for (const json& element : node) {
        if (current.kind != Step::Kind::Any && !filterHolds(current, element))
            continue;
        if (const json* found = walk(element, step + 1, deepest))
            return found;
    }
    return nullptr;
}

bool JsonPath::filterHolds(const Step& step, const json& element)
{
    const json* value = &element;
    for (const std::string& key : step.member) {
        if (!value->is_object())
            return false;
        const auto member = value->find(key);
        if (member == value->end())
            return false;
        value = &*member;
    }
    return comparesEqual(step, *value);
}

bool JsonPath::comparesEqual(const Step& step, const json& value)
{
    if (step.kind == Step::Kind::FilterText)
        return value.is_string() && value.get_ref<const std::string&>() == step.text;
    return value.is_number() && value.get<double>() == step.number;
}
