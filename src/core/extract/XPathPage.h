// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include <vector>

struct _xmlDoc;
struct _xmlNode;

// A page parsed by libxml2's HTML parser (recovering, no network, silent), on which XPath 1.0 expressions
// are evaluated. Parsing and evaluation share one bound of time: the thread's processor time for parsing,
// what is left of it as time on the clock for each evaluation.
class XPathPage {
public:
    // What an expression gives.
    struct Value {
        enum class Kind {
            Text, // a node set's first node (its string value) or a string
            Number,
            Boolean,
            Empty, // an empty node set or an empty string
            Invalid, // the expression does not compile; `text` holds libxml2's reason
            OutOfTime,
        };
        Kind kind = Kind::Empty;
        std::string text;
        double number = 0.0;
    };

    // Parses UTF-8 `page` within `work` of processor time. An empty page is an empty document.
    XPathPage(std::string_view page, std::chrono::nanoseconds work);
    ~XPathPage();
    XPathPage(const XPathPage&) = delete;
    XPathPage& operator=(const XPathPage&) = delete;

    // Why the page was not read (out of time, nested too deeply); empty when it was.
    const std::string& failure() const { return m_failure; }
    // Evaluates with whatever processor time the bound has left; only on a page that was read.
    Value evaluate(const std::string& expression) const;
    // The first `limit` nodes of a node-set expression, in document order; none for other results.
    std::vector<_xmlNode*> nodes(const std::string& expression, size_t limit) const;
    _xmlDoc* document() const { return m_document; }
    // A node's string value with its blanks folded, as the rule reads it.
    static std::string textOf(_xmlNode* node);

    // libxml2's reason when `expression` does not compile, else empty.
    static std::string compileError(const std::string& expression);

private:
    std::chrono::nanoseconds m_end;
    _xmlDoc* m_document = nullptr;
    std::string m_failure;
};
