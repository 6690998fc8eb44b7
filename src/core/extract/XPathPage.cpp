// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathPage.h"

#include "core/base/ThreadCpuTime.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
    HTML_PARSE_COMPACT | HTML_PARSE_IGNORE_ENC;
// The parser takes the page in pieces so that the processor time can be looked at in between; small
// pieces keep a page that makes libxml2 slow from running far past the bound.
constexpr size_t kChunkBytes = 16 * 1024;
// XPath steps libxml2 counts per second of processor time, measured low, so the step bound stays within
// the time bound.
constexpr double kStepsPerSecond = 20e6;

void ignoreMessage(void*, const char*, ...) { }
void ignoreError(void*, xmlErrorPtr) { }

// libxml2 prints to stderr unless told otherwise, per thread.
void silenceLibxml()
{
    xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    xmlSetStructuredErrorFunc(nullptr, ignoreError);
}

struct ErrorCollector {
    std::string message;
    int code = 0;
};

void collectError(void* data, xmlErrorPtr error)
{
    auto* collector = static_cast<ErrorCollector*>(data);
    if (collector->code != 0 || error == nullptr)
        return;
    collector->code = error->code;
    // libxml2 has no text for its newest codes, the limits.
    collector->message = error->message != nullptr ? error->message : "Invalid expression";
    while (!collector->message.empty() && (collector->message.back() == '\n' || collector->message.back() == ' '))
        collector->message.pop_back();
}

std::string reason(const ErrorCollector& errors)
{
    if (errors.code == int(XML_XPATH_EXPRESSION_OK) + int(XPATH_RECURSION_LIMIT_EXCEEDED))
        return "The expression nests too deeply.";
    return errors.message.empty() ? "Invalid expression" : errors.message;
}

struct ContextDeleter {
    void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
};
struct CompiledDeleter {
    void operator()(xmlXPathCompExpr* compiled) const { xmlXPathFreeCompExpr(compiled); }
};
struct ObjectDeleter {
    void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};
using ContextPointer = std::unique_ptr<xmlXPathContext, ContextDeleter>;

ContextPointer newContext(xmlDoc* document, ErrorCollector& errors)
{
    ContextPointer context(xmlXPathNewContext(document));
    if (context) {
        context->error = collectError;
        context->userData = &errors;
    }
    return context;
}

bool isBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Runs of blanks (and no-break spaces) become one blank; none at either end.
std::string foldBlanks(const char* text)
{
    std::string folded;
    bool blank = false;
    for (const char* c = text; *c != '\0'; ++c) {
        const bool noBreak = static_cast<unsigned char>(c[0]) == 0xc2 && static_cast<unsigned char>(c[1]) == 0xa0;
        if (isBlank(static_cast<unsigned char>(*c)) || noBreak) {
            blank = true;
            c += noBreak ? 1 : 0;
            continue;
        }
        if (blank && !folded.empty())
            folded += ' ';
        blank = false;
        folded += *c;
    }
    return folded;
}

XPathPage::Value textValue(std::string text)
{
    XPathPage::Value value;
    value.kind = text.empty() ? XPathPage::Value::Kind::Empty : XPathPage::Value::Kind::Text;
    value.text = std::move(text);
    return value;
}

XPathPage::Value valueOf(const xmlXPathObject& object)
{
    XPathPage::Value value;
    switch (object.type) {
    case XPATH_NODESET: {
        if (object.nodesetval == nullptr || object.nodesetval->nodeNr == 0)
            return value;
        xmlChar* content = xmlXPathCastNodeToString(object.nodesetval->nodeTab[0]);
        value = textValue(foldBlanks(reinterpret_cast<const char*>(content)));
        xmlFree(content);
        return value;
    }
    case XPATH_STRING:
        return textValue(reinterpret_cast<const char*>(object.stringval));
    case XPATH_NUMBER:
        value.kind = XPathPage::Value::Kind::Number;
        value.number = object.floatval;
        value.text = std::isnan(object.floatval) ? "NaN" : std::to_string(object.floatval);
        return value;
    case XPATH_BOOLEAN:
        value.kind = XPathPage::Value::Kind::Boolean;
        value.text = object.boolval ? "true" : "false";
        return value;
    default:
        value.kind = XPathPage::Value::Kind::Invalid;
        value.text = "The expression gives no value.";
        return value;
    }
}

// libxml2 stops reading a page for good only on a limit of its own, such as the depth of elements.
std::string haltReason(const xmlParserCtxt& parser)
{
    const std::string message = parser.lastError.message != nullptr ? parser.lastError.message : "";
    if (message.starts_with("Excessive depth"))
        return "The page nests elements more than 256 levels deep.";
    return "The page cannot be read: " + message.substr(0, message.find('\n'));
}

XPathPage::Value invalid(std::string why)
{
    XPathPage::Value value;
    value.kind = XPathPage::Value::Kind::Invalid;
    value.text = std::move(why);
    return value;
}

} // namespace

XPathPage::XPathPage(std::string_view page, std::chrono::nanoseconds work) : m_end(threadCpuTime() + work)
{
    silenceLibxml();
    htmlParserCtxtPtr parser = htmlCreatePushParserCtxt(nullptr, nullptr, nullptr, 0, nullptr, XML_CHAR_ENCODING_UTF8);
    if (parser == nullptr) {
        m_failure = "Out of memory.";
        return;
    }
    htmlCtxtUseOptions(parser, kParseOptions);
    bool inTime = true;
    for (size_t at = 0; at < page.size() && inTime && parser->disableSAX == 0; at += kChunkBytes) {
        const size_t length = std::min(kChunkBytes, page.size() - at);
        htmlParseChunk(parser, page.data() + at, static_cast<int>(length), 0);
        inTime = threadCpuTime() < m_end;
    }
    if (inTime)
        htmlParseChunk(parser, nullptr, 0, 1);
    if (!inTime)
        m_failure = "The page took too long to read for the XPath rule.";
    else if (parser->disableSAX != 0)
        m_failure = haltReason(*parser);
    xmlDoc* document = parser->myDoc;
    parser->myDoc = nullptr;
    htmlFreeParserCtxt(parser);
    if (document == nullptr && m_failure.empty())
        document = htmlNewDocNoDtD(nullptr, nullptr);
    if (m_failure.empty() && document != nullptr) {
        // Numbers the elements in document order, so sorting a node set compares numbers instead of
        // walking up the tree.
        xmlXPathOrderDocElems(document);
        m_document = document;
    } else if (document != nullptr) {
        xmlFreeDoc(document);
    }
}

XPathPage::~XPathPage()
{
    if (m_document != nullptr)
        xmlFreeDoc(m_document);
}

XPathPage::Value XPathPage::evaluate(const std::string& expression) const
{
    silenceLibxml();
    ErrorCollector errors;
    ContextPointer context = newContext(m_document, errors);
    if (!context)
        return invalid("Out of memory.");
    const std::unique_ptr<xmlXPathCompExpr, CompiledDeleter> compiled(
        xmlXPathCtxtCompile(context.get(), reinterpret_cast<const xmlChar*>(expression.c_str())));
    if (!compiled)
        return invalid(reason(errors));
    const double seconds = std::chrono::duration<double>(m_end - threadCpuTime()).count();
    if (seconds <= 0.0)
        return Value{Value::Kind::OutOfTime, {}, 0.0};
    context->opLimit = static_cast<unsigned long>(std::max(1.0, seconds * kStepsPerSecond));
    const std::unique_ptr<xmlXPathObject, ObjectDeleter> result(xmlXPathCompiledEval(compiled.get(), context.get()));
    if (!result) {
        if (errors.code == int(XML_XPATH_EXPRESSION_OK) + int(XPATH_OP_LIMIT_EXCEEDED))
            return Value{Value::Kind::OutOfTime, {}, 0.0};
        return invalid(reason(errors));
    }
    return valueOf(*result);
}

std::string XPathPage::compileError(const std::string& expression)
{
    silenceLibxml();
    ErrorCollector errors;
    const ContextPointer context = newContext(nullptr, errors);
    const std::unique_ptr<xmlXPathCompExpr, CompiledDeleter> compiled(
        xmlXPathCtxtCompile(context.get(), reinterpret_cast<const xmlChar*>(expression.c_str())));
    if (compiled)
        return {};
    return reason(errors);
}
