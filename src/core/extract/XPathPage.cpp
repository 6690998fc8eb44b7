// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathPage.h"

#include "core/base/ThreadCpuTime.h"
#include "core/extract/XmlLibrary.h"

#include <libxml/parser.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
    HTML_PARSE_COMPACT | HTML_PARSE_IGNORE_ENC;
// The parser takes the page in pieces so that the processor time can be looked at in between; small
// pieces keep a page that makes libxml2 slow from running far past the bound (its depth limit of 256
// keeps the work per tag bounded).
constexpr size_t kChunkBytes = 64 * 1024;

void ignoreMessage(void*, const char*, ...) { }
void ignoreError(void*, xmlErrorPtr) { }

// Only reached once a page or an expression found the library loaded.
const XmlLibrary& xml()
{
    return *XmlLibrary::get();
}

// libxml2 prints to stderr unless told otherwise, per thread.
void silenceLibxml()
{
    xml().setGenericErrorFunc(nullptr, ignoreMessage);
    xml().setStructuredErrorFunc(nullptr, ignoreError);
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

// libxml2 counts the steps of an evaluation but not all of its work (merging node sets is quadratic in
// the sets' sizes), so no step count bounds the time. When the time is up this lowers the step limit from
// another thread, and libxml2 stops at its next step with XPATH_OP_LIMIT_EXCEEDED.
class EvaluationWatchdog {
public:
    EvaluationWatchdog(xmlXPathContext& context, std::chrono::nanoseconds time)
        : m_thread([this, &context, time] {
              std::unique_lock lock(m_mutex);
              if (!m_stopped.wait_for(lock, time, [this] { return m_finished; }))
                  std::atomic_ref<unsigned long>(context.opLimit).store(1, std::memory_order_relaxed);
          })
    {
    }
    ~EvaluationWatchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_stopped.notify_one();
        m_thread.join();
    }
    EvaluationWatchdog(const EvaluationWatchdog&) = delete;
    EvaluationWatchdog& operator=(const EvaluationWatchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_finished = false;
    std::thread m_thread;
};

struct ContextDeleter {
    void operator()(xmlXPathContext* context) const { xml().xpathFreeContext(context); }
};
struct CompiledDeleter {
    void operator()(xmlXPathCompExpr* compiled) const { xml().xpathFreeCompExpr(compiled); }
};
struct ObjectDeleter {
    void operator()(xmlXPathObject* object) const { xml().xpathFreeObject(object); }
};

// libxml2 gives its message text only to the thread's handler, not to a context's.
class CollectedErrors {
public:
    CollectedErrors() { xml().setStructuredErrorFunc(&m_errors, collectError); }
    ~CollectedErrors() { xml().setStructuredErrorFunc(nullptr, ignoreError); }
    CollectedErrors(const CollectedErrors&) = delete;
    CollectedErrors& operator=(const CollectedErrors&) = delete;
    const ErrorCollector& errors() const { return m_errors; }

private:
    ErrorCollector m_errors;
};

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
        return textValue(XPathPage::textOf(object.nodesetval->nodeTab[0]));
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
    if (!XmlLibrary::get()) {
        m_failure = XmlLibrary::loadError();
        return;
    }
    silenceLibxml();
    htmlParserCtxtPtr parser =
        xml().htmlCreatePushParser(nullptr, nullptr, nullptr, 0, nullptr, XML_CHAR_ENCODING_UTF8);
    if (parser == nullptr) {
        m_failure = "Out of memory.";
        return;
    }
    xml().htmlUseOptions(parser, kParseOptions);
    bool inTime = true;
    for (size_t at = 0; at < page.size() && inTime && parser->disableSAX == 0; at += kChunkBytes) {
        const size_t length = std::min(kChunkBytes, page.size() - at);
        xml().htmlParse(parser, page.data() + at, static_cast<int>(length), 0);
        inTime = threadCpuTime() < m_end;
    }
    if (inTime)
        xml().htmlParse(parser, nullptr, 0, 1);
    if (!inTime)
        m_failure = "The page took too long to read for the XPath rule.";
    else if (parser->disableSAX != 0)
        m_failure = haltReason(*parser);
    xmlDoc* document = parser->myDoc;
    parser->myDoc = nullptr;
    xml().htmlFreeParser(parser);
    if (document == nullptr && m_failure.empty())
        document = xml().htmlNewDocument(nullptr, nullptr);
    if (m_failure.empty() && document != nullptr) {
        m_document = document;
    } else if (document != nullptr) {
        xml().freeDoc(document);
    }
}

XPathPage::~XPathPage()
{
    if (m_document != nullptr)
        xml().freeDoc(m_document);
}

XPathPage::Value XPathPage::evaluate(const std::string& expression) const
{
    silenceLibxml();
    const CollectedErrors collected;
    const ErrorCollector& errors = collected.errors();
    const std::unique_ptr<xmlXPathContext, ContextDeleter> context(xml().xpathNewContext(m_document));
    if (!context)
        return invalid("Out of memory.");
    const std::unique_ptr<xmlXPathCompExpr, CompiledDeleter> compiled(
        xml().xpathCtxtCompile(context.get(), reinterpret_cast<const xmlChar*>(expression.c_str())));
    if (!compiled)
        return invalid(reason(errors));
    if (threadCpuTime() >= m_end)
        return Value{Value::Kind::OutOfTime, {}, 0.0};
    std::unique_ptr<xmlXPathObject, ObjectDeleter> result;
    {
        const EvaluationWatchdog watchdog(*context, m_end - threadCpuTime());
        result.reset(xml().xpathCompiledEval(compiled.get(), context.get()));
    }
    if (!result) {
        if (errors.code == int(XML_XPATH_EXPRESSION_OK) + int(XPATH_OP_LIMIT_EXCEEDED))
            return Value{Value::Kind::OutOfTime, {}, 0.0};
        return invalid(reason(errors));
    }
    return valueOf(*result);
}

std::vector<xmlNode*> XPathPage::nodes(const std::string& expression, size_t limit) const
{
    silenceLibxml();
    const CollectedErrors collected;
    std::vector<xmlNode*> found;
    const std::unique_ptr<xmlXPathContext, ContextDeleter> context(xml().xpathNewContext(m_document));
    if (!context || threadCpuTime() >= m_end)
        return found;
    std::unique_ptr<xmlXPathObject, ObjectDeleter> result;
    {
        const EvaluationWatchdog watchdog(*context, m_end - threadCpuTime());
        result.reset(xml().xpathEval(reinterpret_cast<const xmlChar*>(expression.c_str()), context.get()));
    }
    if (!result || result->type != XPATH_NODESET || result->nodesetval == nullptr)
        return found;
    for (int i = 0; i < result->nodesetval->nodeNr && found.size() < limit; ++i)
        found.push_back(result->nodesetval->nodeTab[i]);
    return found;
}

std::string XPathPage::textOf(xmlNode* node)
{
    xmlChar* content = xml().xpathCastNodeToString(node);
    std::string text = foldBlanks(reinterpret_cast<const char*>(content));
    (*xml().freeMemory)(content);
    return text;
}

std::string XPathPage::compileError(const std::string& expression)
{
    if (!XmlLibrary::get())
        return XmlLibrary::loadError();
    silenceLibxml();
    const CollectedErrors collected;
    const ErrorCollector& errors = collected.errors();
    const std::unique_ptr<xmlXPathContext, ContextDeleter> context(xml().xpathNewContext(nullptr));
    const std::unique_ptr<xmlXPathCompExpr, CompiledDeleter> compiled(
        xml().xpathCtxtCompile(context.get(), reinterpret_cast<const xmlChar*>(expression.c_str())));
    if (compiled)
        return {};
    return reason(errors);
}
