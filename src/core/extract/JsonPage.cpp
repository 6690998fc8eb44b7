// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonPage.h"

#include <vector>

namespace {

using Json = nlohmann::ordered_json;

// Builds the document from the parser's events. Members are appended without looking for an earlier one of
// the same name, which would make large objects quadratic; a repeated name is found at its first place.
class DocumentBuilder {
public:
    explicit DocumentBuilder(Json& root) : m_root(root) { }

    bool null() { return place(Json()); }
    bool boolean(bool value) { return place(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return place(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return place(Json(value)); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return place(Json(value)); }
    bool string(Json::string_t& value) { return place(Json(std::move(value))); }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(Json::object()); }
    bool key(Json::string_t& name)
    {
        auto& members = static_cast<Json::object_t::Container&>(m_open.back()->get_ref<Json::object_t&>());
        m_member = &members.emplace_back(std::move(name), Json()).second;
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&)
    {
        m_errorByte = std::max<std::size_t>(position, 1);
        return false;
    }

    std::size_t errorByte() const { return m_errorByte; }

private:
    Json* placed(Json&& value)
    {
        if (m_open.empty()) {
            m_root = std::move(value);
            return &m_root;
        }
        Json& container = *m_open.back();
        if (container.is_array())
            return &container.get_ref<Json::array_t&>().emplace_back(std::move(value));
        *m_member = std::move(value);
        return m_member;
    }
    bool place(Json&& value)
    {
        placed(std::move(value));
        return true;
    }
    bool open(Json&& container)
    {
        if (m_open.size() >= JsonPage::kMaxDepth)
            return false;
        m_open.push_back(placed(std::move(container)));
        return true;
    }
    bool close()
    {
        m_open.pop_back();
        return true;
    }

    Json& m_root;
    std::vector<Json*> m_open;
    Json* m_member = nullptr;
    std::size_t m_errorByte = 0;
};

} // namespace

size_t JsonPage::tooDeepByte(std::string_view text)
{
    size_t depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > JsonPage::kMaxDepth)
                return i + 1;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return text.size() + 1;
}

JsonPage::JsonPage(std::string_view text)
{
    DocumentBuilder builder(m_document);
    if (Json::sax_parse(text.begin(), text.end(), &builder))
        return;
    m_errorByte = builder.errorByte() != 0 ? builder.errorByte() : tooDeepByte(text);
    m_document = Json();
}
