#include "core/extract/JsonPage.h"

namespace {

using nlohmann::json;

// Builds the document like the library's own builder, but stops at the first error or too deep a nesting.
class DepthLimitedBuilder {
public:
    explicit DepthLimitedBuilder(json& root) : m_builder(root, false) { }

    bool null() { return m_builder.null(); }
    bool boolean(bool value) { return m_builder.boolean(value); }
    bool number_integer(json::number_integer_t value) { return m_builder.number_integer(value); }
    bool number_unsigned(json::number_unsigned_t value) { return m_builder.number_unsigned(value); }
    bool number_float(json::number_float_t value, const json::string_t& text)
    {
        return m_builder.number_float(value, text);
    }
    bool string(json::string_t& value) { return m_builder.string(value); }
    bool binary(json::binary_t& value) { return m_builder.binary(value); }
    bool start_object(std::size_t elements) { return enter() && m_builder.start_object(elements); }
    bool key(json::string_t& value) { return m_builder.key(value); }
    bool end_object()
    {
        --m_depth;
        return m_builder.end_object();
    }
    bool start_array(std::size_t elements) { return enter() && m_builder.start_array(elements); }
    bool end_array()
    {
        --m_depth;
        return m_builder.end_array();
    }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&)
    {
        m_errorByte = std::max<std::size_t>(position, 1);
        return false;
    }

    std::size_t errorByte() const { return m_errorByte; }

private:
    bool enter() { return ++m_depth <= JsonPage::kMaxDepth; }

    nlohmann::detail::json_sax_dom_parser<json> m_builder;
    std::size_t m_depth = 0;
    std::size_t m_errorByte = 0;
};

// The 1-based byte of the bracket that opens one level more than allowed.
size_t tooDeepByte(std::string_view text)
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

} // namespace

JsonPage::JsonPage(std::string_view text)
{
    DepthLimitedBuilder builder(m_document);
    if (json::sax_parse(text.begin(), text.end(), &builder))
        return;
    m_errorByte = builder.errorByte() != 0 ? builder.errorByte() : tooDeepByte(text);
    // A half-built document may be nested up to the limit only; it is not kept.
    m_document = json();
}
