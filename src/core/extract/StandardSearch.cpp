// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/StandardSearch.h"
#include "core/base/TextCompare.h"

#include "core/extract/PageText.h"
#include "core/extract/QuotationNumber.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A page prepared for one search: folded when the search ignores case, with the separators to match.
class SearchPage {
public:
    SearchPage(const std::string& page, const StandardSearch::Rule& rule) : m_rule(rule)
    {
        if (rule.caseInsensitive) {
            m_folded = foldCase(page);
            m_rule.startText = foldCase(m_rule.startText);
            m_rule.thousands = foldCase(m_rule.thousands);
            m_rule.decimal = foldCase(m_rule.decimal);
        }
        m_text = rule.caseInsensitive ? &m_folded : &page;
    }

    const std::string& text() const { return *m_text; }
    size_t size() const { return m_text->size(); }
    const StandardSearch::Rule& rule() const { return m_rule; }

    // Position just after the start text, or npos.
    size_t afterStartText() const
    {
        const size_t found = m_text->find(m_rule.startText);
        return found == std::string::npos ? found : found + m_rule.startText.size();
    }

    size_t skipToNumberStart(size_t pos, bool stopAtTag) const
    {
        const std::string& t = *m_text;
        for (; pos < t.size(); ++pos) {
            const char c = t[pos];
            if (isDigit(c) || (stopAtTag && c == '<'))
                break;
            if ((c == '-' || c == '+') && (pos + 1 == t.size() || isDigit(t[pos + 1])))
                break;
        }
        return pos;
    }

    size_t skipNumber(size_t pos) const
    {
        const std::string& t = *m_text;
        while (pos < t.size() && (isDigit(t[pos]) || t[pos] == ',' || t[pos] == '.' || t[pos] == '-' || t[pos] == '+'))
            ++pos;
        return pos;
    }

    ExtractResult parseAt(size_t pos) const
    {
        ExtractResult result;
        result.status = parseQuotationNumber(m_text->c_str() + pos, m_rule.thousands, m_rule.decimal, result.value);
        if (result.status != ExtractStatus::QuotationFound)
            result.excerpt = PageText::excerptAt(*m_text, pos);
        else
            result.textBefore = PageText::textBefore(*m_text, pos);
        return result;
    }

private:
    StandardSearch::Rule m_rule;
    std::string m_folded;
    const std::string* m_text = nullptr;
};

ExtractResult failure(ExtractStatus status, std::string excerpt)
{
    ExtractResult result;
    result.status = status;
    result.excerpt = std::move(excerpt);
    return result;
}

} // namespace

namespace StandardSearch {

ExtractResult search(const std::string& page, const Rule& rule)
{
    const SearchPage search(page, rule);
    size_t pos = search.afterStartText();
    if (pos == std::string::npos)
        return failure(ExtractStatus::StartTextNotFound, "");
    int remaining = rule.numbersToSkip;
    while (true) {
        pos = search.skipToNumberStart(pos, false);
        if (remaining <= 0)
            break;
        pos = search.skipNumber(pos);
        if (pos < search.size())
            --remaining;
        if (remaining <= 0)
            break;
        if (pos >= search.size())
            return failure(ExtractStatus::QuotationNotFound, "EOF");
    }
    return search.parseAt(search.skipToNumberStart(pos, false));
}

ExtractResult tagSkipSearch(const std::string& page, const Rule& rule)
{
    const SearchPage search(page, rule);
    const std::string& text = search.text();
    size_t pos = search.afterStartText();
    if (pos == std::string::npos)
        return failure(ExtractStatus::StartTextNotFound, "");
    for (int tag = 0; tag < rule.tagsToSkip && pos < text.size(); ++tag) {
        const size_t found = text.find("<>", pos);
        if (found == std::string::npos)
            return failure(ExtractStatus::QuotationNotFound, "EOF");
        pos = found + 2;
    }
    int remaining = rule.numbersToSkip;
    while (true) {
        pos = search.skipToNumberStart(pos, true);
        if (remaining <= 0)
            break;
        pos = search.skipNumber(pos);
        if (pos < text.size())
            --remaining;
        if (remaining <= 0)
            break;
        if (pos >= text.size() || text[pos] == '<')
            return failure(ExtractStatus::QuotationNotFound, PageText::excerptAt(text, pos));
    }
    if (pos < text.size() && text[pos] == '<')
        return failure(ExtractStatus::QuotationNotFound, PageText::excerptAt(text, pos));
    return search.parseAt(search.skipToNumberStart(pos, false));
}

} // namespace StandardSearch
