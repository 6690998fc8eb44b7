// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathProposals.h"

#include "core/extract/Pcre2Regex.h"
#include "core/extract/XPathPage.h"
#include "core/extract/XPathRule.h"
#include "core/extract/XmlLibrary.h"

#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>
#include <string_view>

namespace {

constexpr size_t kMaxElements = 10;
constexpr int kAncestorsTried = 3;

// An XPath 1.0 string literal for any text (XPath has no escapes).
std::string literal(const std::string& text)
{
    if (text.find('\'') == std::string::npos)
        return "'" + text + "'";
    if (text.find('"') == std::string::npos)
        return "\"" + text + "\"";
    std::string joined = "concat(";
    size_t start = 0;
    for (size_t quote = text.find('\''); quote != std::string::npos; quote = text.find('\'', start)) {
        joined += "'" + text.substr(start, quote - start) + "', \"'\", ";
        start = quote + 1;
    }
    return joined + "'" + text.substr(start) + "')";
}

std::string nameOf(const xmlNode* node)
{
    return reinterpret_cast<const char*>(node->name);
}

std::string attribute(xmlNode* node, const char* name)
{
    xmlChar* value = XmlLibrary::get()->getProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr)
        return {};
    std::string text = reinterpret_cast<const char*>(value);
    (*XmlLibrary::get()->freeMemory)(value);
    return text;
}

bool isElement(const xmlNode* node)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE;
}

xmlNode* previousElement(xmlNode* node)
{
    for (node = node->prev; node != nullptr; node = node->prev) {
        if (isElement(node))
            return node;
    }
    return nullptr;
}

xmlNode* ancestorNamed(xmlNode* node, const char* name, int levels)
{
    for (int i = 0; i <= levels && isElement(node); ++i, node = node->parent) {
        if (nameOf(node) == name)
            return node;
    }
    return nullptr;
}

// Position among the preceding siblings named as the node (1 for the first), as XPath counts `name[n]`.
int positionAmongSiblings(xmlNode* node, const std::string& name, bool withCells)
{
    int position = 1;
    for (xmlNode* sibling = node->prev; sibling != nullptr; sibling = sibling->prev) {
        if (!isElement(sibling))
            continue;
        const std::string siblingName = nameOf(sibling);
        if (withCells ? (siblingName == "td" || siblingName == "th") : siblingName == name)
            ++position;
    }
    return position;
}

bool isRowWithCells(xmlNode* row)
{
    if (!isElement(row) || nameOf(row) != "tr")
        return false;
    for (xmlNode* child = row->children; child != nullptr; child = child->next) {
        if (isElement(child) && nameOf(child) == "td")
            return true;
    }
    return false;
}

bool hasHeaderCell(xmlNode* row)
{
    for (xmlNode* cell = row->children; cell != nullptr; cell = cell->next) {
        if (isElement(cell) && nameOf(cell) == "th")
            return true;
    }
    return false;
}

// The table's first row with header cells, directly in the table or in one of its sections.
xmlNode* headerRow(xmlNode* table)
{
    for (xmlNode* child = table->children; child != nullptr; child = child->next) {
        if (!isElement(child))
            continue;
        if (nameOf(child) == "tr" && hasHeaderCell(child))
            return child;
        if (nameOf(child) != "thead" && nameOf(child) != "tbody")
            continue;
        for (xmlNode* row = child->children; row != nullptr; row = row->next) {
            if (isElement(row) && nameOf(row) == "tr" && hasHeaderCell(row))
                return row;
        }
    }
    return nullptr;
}

xmlNode* cellAt(xmlNode* row, int column)
{
    int position = 0;
    for (xmlNode* cell = row->children; cell != nullptr; cell = cell->next) {
        if (isElement(cell) && (nameOf(cell) == "td" || nameOf(cell) == "th") && ++position == column)
            return cell;
    }
    return nullptr;
}

// Class names that look written by hand: letters, digits only after a letter run, dashes and underscores,
// not generated hashes.
bool isStableClass(const std::string& name)
{
    if (name.empty() || name.size() > 30 || !std::isalpha(static_cast<unsigned char>(name[0])))
        return false;
    const size_t digits = std::count_if(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); });
    return digits <= 1 &&
        std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '_'; });
}

// Words, not figures: a label keeps its text while the figures beside it change.
bool isLabel(const std::string& text)
{
    const auto letter = [](unsigned char c) { return std::isalpha(c) || c >= 0x80; };
    return text.size() <= 60 && std::any_of(text.begin(), text.end(), letter) &&
        std::none_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string_view fromFirstDigit(std::string_view text)
{
    const size_t digit = text.find_first_of("0123456789");
    return digit == std::string_view::npos ? text : text.substr(digit);
}

std::string classTest(const std::string& name)
{
    return "[contains(concat(' ',normalize-space(@class),' '),' " + name + " ')]";
}

class Proposer {
public:
    Proposer(const XPathPage& page, const std::string& quotation) : m_page(page), m_quotation(quotation) { }

    void byId(xmlNode* element)
    {
        xmlNode* node = element;
        for (int level = 0; level <= kAncestorsTried * 2 && isElement(node); ++level, node = node->parent) {
            const std::string id = attribute(node, "id");
            if (id.empty())
                continue;
            const std::string anchor = "//*[@id=" + literal(id) + "]";
            tryExpression(0, node == element ? anchor : anchor + "//" + nameOf(element));
            return;
        }
    }

    void byLabel(xmlNode* element)
    {
        xmlNode* cell = element;
        for (int level = 0; level < kAncestorsTried && isElement(cell); ++level, cell = cell->parent) {
            xmlNode* label = previousElement(cell);
            const std::string text = label != nullptr ? XPathPage::textOf(label) : std::string();
            if (!isLabel(text))
                continue;
            tryExpression(1,
                          "//" + nameOf(label) + "[normalize-space()=" + literal(text) +
                              "]/following-sibling::" + nameOf(cell) + "[1]");
            return;
        }
    }

    void byColumn(xmlNode* element)
    {
        xmlNode* cell = ancestorNamed(element, "td", kAncestorsTried);
        xmlNode* row = cell != nullptr ? cell->parent : nullptr;
        xmlNode* table = row != nullptr ? ancestorNamed(row, "table", 2) : nullptr;
        xmlNode* header = table != nullptr ? headerRow(table) : nullptr;
        xmlNode* title = header != nullptr ? cellAt(header, positionAmongSiblings(cell, "td", true)) : nullptr;
        const std::string name = title != nullptr ? XPathPage::textOf(title) : std::string();
        if (name.empty() || !isRowWithCells(row))
            return;
        int rowPosition = 1;
        for (xmlNode* sibling = row->prev; sibling != nullptr; sibling = sibling->prev)
            rowPosition += isRowWithCells(sibling) ? 1 : 0;
        std::ostringstream expression;
        expression << "//tr[td][" << rowPosition << "]/td[count((//th[normalize-space()=" << literal(name)
                   << "])[1]/preceding-sibling::th)+1]";
        tryExpression(2, expression.str());
    }

    void byClass(xmlNode* element)
    {
        xmlNode* node = element;
        for (int level = 0; level <= kAncestorsTried && isElement(node); ++level, node = node->parent) {
            std::istringstream classes(attribute(node, "class"));
            for (std::string name; classes >> name;) {
                if (!isStableClass(name))
                    continue;
                const std::string anchor = "//" + nameOf(node) + classTest(name);
                if (tryExpression(3, node == element ? anchor : anchor + "//" + nameOf(element)))
                    return;
            }
        }
    }

    std::vector<std::string> bestFirst() const
    {
        std::vector<std::string> all;
        for (const std::vector<std::string>& kind : m_found) {
            for (const std::string& expression : kind) {
                if (all.size() < XPathProposals::kMaxProposals &&
                    std::find(all.begin(), all.end(), expression) == all.end())
                    all.push_back(expression);
            }
        }
        return all;
    }

private:
    // Kept when the rule would store it and reads the quotation: the rule takes the first number of the
    // text, so the text from its first digit on begins with the quotation's.
    bool tryExpression(size_t kind, const std::string& expression)
    {
        if (!XPathRule(expression, "", "").check())
            return false;
        const XPathPage::Value value = m_page.evaluate(expression);
        if (value.kind != XPathPage::Value::Kind::Text ||
            !fromFirstDigit(value.text).starts_with(fromFirstDigit(m_quotation)))
            return false;
        m_found[kind].push_back(expression);
        return true;
    }

    const XPathPage& m_page;
    const std::string& m_quotation;
    std::array<std::vector<std::string>, 4> m_found;
};

} // namespace

namespace XPathProposals {

Result<std::vector<std::string>> propose(const std::string& page, const std::string& quotation)
{
    if (quotation.empty())
        return Status::error(Status::Code::InvalidInput, "Please enter the quotation to be extracted!");
    const XPathPage document(page, Pcre2Regex::workFor(page.size()));
    if (!document.failure().empty())
        return Status::error(Status::Code::Failed, document.failure());
    Proposer proposer(document, quotation);
    const std::string holders = "//text()[contains(., " + literal(quotation) + ")]/..";
    for (xmlNode* element : document.nodes(holders, kMaxElements)) {
        if (!isElement(element))
            continue;
        proposer.byId(element);
        proposer.byLabel(element);
        proposer.byColumn(element);
        proposer.byClass(element);
    }
    return proposer.bestFirst();
}

Status apply(const std::string& expression, const std::string& url, const std::string& thousands,
             const std::string& decimal, ServerConfig& config)
{
    const XPathRule rule(expression, "", "");
    if (Status checked = rule.check(); !checked)
        return checked;
    config.URL = url;
    config.TAUSEND = thousands;
    config.DECIMAL = decimal;
    config.Format = 0;
    config.Filtering = 1;
    config.RegExp = rule.encode();
    return Status::ok();
}

} // namespace XPathProposals
