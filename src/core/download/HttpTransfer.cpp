// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/HttpTransfer.h"

#include "core/download/ContentDecoder.h"
#include "core/download/CurlLibrary.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <limits>
#include <memory>
#include <utility>

namespace {

constexpr long kMaxRedirections = 10;
// Wakes the transfer now and then even without news, so that the receiver can look at the clock.
constexpr int kPollMilliseconds = 1000;
// Error pages up to this size are read and dropped rather than cut off with their connection.
constexpr size_t kDrainedErrorBytes = 64 * 1024;

// Only for code that runs once a transfer exists, which loaded the library.
const CurlLibrary& libcurl()
{
    return *CurlLibrary::get();
}

struct CurlUrlDeleter {
    void operator()(CURLU* url) const { libcurl().url_cleanup(url); }
};

struct CurlStringDeleter {
    void operator()(char* text) const { libcurl().free_string(text); }
};

using CurlString = std::unique_ptr<char, CurlStringDeleter>;
using ParsedUrl = std::unique_ptr<CURLU, CurlUrlDeleter>;

ParsedUrl parseUrl(const std::string& url)
{
    if (!CurlLibrary::get())
        return nullptr;
    ParsedUrl parsed(libcurl().url());
    if (!parsed || libcurl().url_set(parsed.get(), CURLUPART_URL, url.c_str(), CURLU_URLENCODE) != CURLUE_OK)
        return nullptr;
    return parsed;
}

CurlString urlPart(CURLU* url, CURLUPart part, unsigned int flags = 0)
{
    char* text = nullptr;
    if (libcurl().url_get(url, part, &text, flags) != CURLUE_OK)
        return nullptr;
    return CurlString(text);
}

bool isHttpScheme(CURLU* url)
{
    const CurlString scheme = urlPart(url, CURLUPART_SCHEME);
    return scheme && (std::string(scheme.get()) == "http" || std::string(scheme.get()) == "https");
}

// "scheme://host:port" in lower case with the default port filled in; empty when the address has none.
std::string originOf(const std::string& url)
{
    const ParsedUrl parsed = parseUrl(url);
    if (!parsed || !isHttpScheme(parsed.get()))
        return {};
    const CurlString scheme = urlPart(parsed.get(), CURLUPART_SCHEME);
    const CurlString host = urlPart(parsed.get(), CURLUPART_HOST);
    const CurlString port = urlPart(parsed.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if (!scheme || !host || !port)
        return {};
    std::string origin = std::string(scheme.get()) + "://" + host.get() + ":" + port.get();
    std::transform(origin.begin(), origin.end(), origin.begin(), [](unsigned char c) { return std::tolower(c); });
    return origin;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

} // namespace

struct HttpTransfer::Transfer {
    Transfer(CURL* curl, BodyReceiver& receiver, std::string url, long timeoutMs, bool sendHeaders)
        : curl(curl), receiver(receiver), url(std::move(url)), timeoutMs(timeoutMs), sendHeaders(sendHeaders)
    {
    }

    CURL* curl;
    BodyReceiver& receiver;
    std::string url;
    long timeoutMs;
    // The request's own headers, left out for another origin.
    bool sendHeaders;
    bool begun = false;
    bool stoppedByReceiver = false;
    long errorStatus = 0;
    // The next address of a redirection; its answer's body is dropped.
    std::string redirect;
    size_t drainedBytes = 0;
    std::optional<int> retryAfter;
    std::string contentEncoding;
    ContentDecoder decoder;
    HttpFailure failure;
};

HttpTransfer::HttpTransfer()
{
    if (!CurlLibrary::get())
        return;
    m_curl = libcurl().easy_init();
    m_multi = libcurl().multi_init();
    // One thread serves one host at a time; an idle connection to another host is not worth keeping.
    libcurl().multi_setopt(static_cast<CURLM*>(m_multi), CURLMOPT_MAXCONNECTS, 1L);
}

HttpTransfer::~HttpTransfer()
{
    if (!CurlLibrary::get())
        return;
    libcurl().easy_cleanup(static_cast<CURL*>(m_curl));
    libcurl().multi_cleanup(static_cast<CURLM*>(m_multi));
}

bool HttpTransfer::available()
{
    return CurlLibrary::get() != nullptr;
}

std::optional<std::string> HttpTransfer::canonicalUrl(const std::string& url)
{
    const ParsedUrl parsed = parseUrl(url);
    if (!parsed || !isHttpScheme(parsed.get()))
        return std::nullopt;
    const CurlString canonical = urlPart(parsed.get(), CURLUPART_URL);
    if (!canonical)
        return std::nullopt;
    return std::string(canonical.get());
}

std::string HttpTransfer::hostOf(const std::string& url)
{
    const ParsedUrl parsed = parseUrl(url);
    if (!parsed || !isHttpScheme(parsed.get()))
        return {};
    const CurlString host = urlPart(parsed.get(), CURLUPART_HOST);
    const CurlString port = urlPart(parsed.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if (!host)
        return {};
    std::string key = std::string(host.get()) + ":" + (port ? port.get() : "");
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return key;
}

std::optional<int> HttpTransfer::parseRetryAfter(std::string_view value, time_t now)
{
    value = trimmed(value);
    if (value.empty())
        return std::nullopt;
    if (std::all_of(value.begin(), value.end(), [](unsigned char c) { return std::isdigit(c); })) {
        if (value.size() > 9)
            return std::numeric_limits<int>::max();
        return std::atoi(std::string(value).c_str());
    }
    if (!CurlLibrary::get())
        return std::nullopt;
    const time_t date = libcurl().getdate(std::string(value).c_str(), nullptr);
    if (date == -1)
        return std::nullopt;
    return static_cast<int>(std::clamp<time_t>(date - now, 0, std::numeric_limits<int>::max()));
}

size_t HttpTransfer::onHeader(char* data, size_t size, size_t count, void* context)
{
    auto& transfer = *static_cast<Transfer*>(context);
    const std::string_view line(data, size * count);
    constexpr std::string_view kRetryAfter = "retry-after:";
    constexpr std::string_view kContentEncoding = "content-encoding:";
    // Each answer (an interim one, a proxy's) starts anew; only the final one counts.
    if (startsWithNoCase(line, "HTTP/")) {
        transfer.retryAfter.reset();
        transfer.contentEncoding.clear();
    } else if (startsWithNoCase(line, kRetryAfter)) {
        // Of several values the longest: waiting less than any of them would only be refused again.
        const std::optional<int> seconds = parseRetryAfter(line.substr(kRetryAfter.size()), std::time(nullptr));
        if (seconds)
            transfer.retryAfter = std::max(*seconds, transfer.retryAfter.value_or(0));
    } else if (startsWithNoCase(line, kContentEncoding)) {
        transfer.contentEncoding = std::string(trimmed(line.substr(kContentEncoding.size())));
    }
    return size * count;
}

size_t HttpTransfer::onWrite(char* data, size_t size, size_t count, void* context)
{
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t total = size * count;
    if (!transfer.begun && transfer.errorStatus == 0 && transfer.redirect.empty()) {
        long status = 0;
        libcurl().easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
        char* location = nullptr;
        libcurl().easy_getinfo(transfer.curl, CURLINFO_REDIRECT_URL, &location);
        if (status >= 300 && status <= 399 && location)
            transfer.redirect = location;
        else if (status > 299)
            transfer.errorStatus = status;
    }
    // A short error or redirection page is read to its end, so that the connection serves the next request.
    if (transfer.errorStatus > 0 || !transfer.redirect.empty()) {
        transfer.drainedBytes += total;
        return transfer.drainedBytes <= kDrainedErrorBytes ? total : CURL_WRITEFUNC_ERROR;
    }
    if (!transfer.begun) {
        transfer.begun = true;
        if (!transfer.decoder.begin(transfer.contentEncoding)) {
            transfer.failure = HttpFailure::other("unknown compression");
            return CURL_WRITEFUNC_ERROR;
        }
        if (!transfer.receiver.beginBody()) {
            transfer.stoppedByReceiver = true;
            return CURL_WRITEFUNC_ERROR;
        }
    }
    const auto sink = [&transfer](const char* decoded, size_t length) { return deliver(transfer, decoded, length); };
    switch (transfer.decoder.decode(data, total, sink)) {
    case ContentDecoder::Result::Ok:
        return total;
    case ContentDecoder::Result::Damaged:
        transfer.failure = HttpFailure::other("damaged compressed data");
        return CURL_WRITEFUNC_ERROR;
    case ContentDecoder::Result::Stopped:
        break;
    }
    transfer.stoppedByReceiver = true;
    return CURL_WRITEFUNC_ERROR;
}

bool HttpTransfer::deliver(Transfer& transfer, const char* data, size_t size)
{
    for (size_t done = 0; done < size; done += BodyReceiver::kReadSize)
        if (!transfer.receiver.receive(data + done, std::min(BodyReceiver::kReadSize, size - done)))
            return false;
    return true;
}

void HttpTransfer::setOptions(const HttpRequest& request, Transfer& transfer, void* headers, char* errorBuffer)
{
    CURL* curl = transfer.curl;
    libcurl().easy_reset(curl);
    libcurl().easy_setopt(curl, CURLOPT_URL, transfer.url.c_str());
    libcurl().easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    libcurl().easy_setopt(curl, CURLOPT_USERAGENT, request.userAgent.c_str());
    libcurl().easy_setopt(curl, CURLOPT_HTTPHEADER, static_cast<curl_slist*>(headers));
    // Decoded here rather than by libcurl, which takes a compressed body cut short for a whole one.
    libcurl().easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, ContentDecoder::kAcceptedEncodings);
    libcurl().easy_setopt(curl, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    libcurl().easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    libcurl().easy_setopt(curl, CURLOPT_TIMEOUT_MS, std::max(1L, transfer.timeoutMs));
    libcurl().easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    libcurl().easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    libcurl().easy_setopt(curl, CURLOPT_WRITEFUNCTION, &HttpTransfer::onWrite);
    libcurl().easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    libcurl().easy_setopt(curl, CURLOPT_HEADERFUNCTION, &HttpTransfer::onHeader);
    libcurl().easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    if (const char* caFile = std::getenv("TICKORA_CA_FILE"); caFile && *caFile)
        libcurl().easy_setopt(curl, CURLOPT_CAINFO, caFile);
}

int HttpTransfer::perform(Transfer& transfer, AbortSignal* abort)
{
    CURLM* multi = static_cast<CURLM*>(m_multi);
    libcurl().multi_add_handle(multi, transfer.curl);
    std::optional<AbortSignal::WakerId> waker;
    if (abort)
        waker = abort->addWaker([multi] { libcurl().multi_wakeup(multi); });
    CURLcode result = CURLE_OK;
    for (int running = 1; running > 0;) {
        if (libcurl().multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running > 0 && !transfer.receiver.keepWaiting()) {
            transfer.stoppedByReceiver = true;
            break;
        }
        if (running > 0)
            libcurl().multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
    int queued = 0;
    while (CURLMsg* message = libcurl().multi_info_read(multi, &queued))
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    if (waker)
        abort->removeWaker(*waker);
    libcurl().multi_remove_handle(multi, transfer.curl);
    return result;
}

HttpOutcome HttpTransfer::get(const HttpRequest& request, BodyReceiver& receiver, AbortSignal* abort)
{
    if (!m_curl || !m_multi) {
        const std::string reason =
            CurlLibrary::get() ? "the HTTP client could not be initialised" : CurlLibrary::loadError();
        return {HttpOutcome::ServiceError, 0, HttpFailure::other(reason), reason, {}};
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(std::max(1, request.timeout));
    // Parsed only when a redirection asks where the request's own headers may go.
    std::optional<std::string> origin;
    std::string url = request.url;
    for (long redirections = 0;; ++redirections) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return {HttpOutcome::TimedOut, 0, {}, {}, {}};
        if (redirections > 0 && !origin)
            origin = originOf(request.url);
        const bool sameOrigin = redirections == 0 || originOf(url) == *origin;
        Transfer transfer(static_cast<CURL*>(m_curl), receiver, url, static_cast<long>(left), sameOrigin);
        HttpOutcome outcome = getOnce(request, transfer, abort);
        if (outcome.kind != HttpOutcome::Completed || transfer.redirect.empty())
            return outcome;
        if (redirections == kMaxRedirections)
            return {HttpOutcome::ServiceError, 0, HttpFailure::other("too many redirections"), {}, {}};
        const ParsedUrl next = parseUrl(transfer.redirect);
        if (!next || !isHttpScheme(next.get()))
            return {HttpOutcome::ServiceError,
                    0,
                    HttpFailure::other("redirected outside http and https"),
                    "redirection to " + transfer.redirect,
                    {}};
        url = transfer.redirect;
    }
}

HttpOutcome HttpTransfer::getOnce(const HttpRequest& request, Transfer& transfer, AbortSignal* abort)
{
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* headers = nullptr;
    bool hasAccept = false;
    for (const std::string& line : transfer.sendHeaders ? request.headers : std::vector<std::string>{}) {
        headers = libcurl().slist_append(headers, line.c_str());
        hasAccept = hasAccept || startsWithNoCase(line, "accept:");
    }
    if (!hasAccept)
        headers = libcurl().slist_append(headers, "Accept: text/*");
    headers = libcurl().slist_append(headers, "Cache-Control: no-cache");
    setOptions(request, transfer, headers, errorBuffer);
    const auto result = static_cast<CURLcode>(perform(transfer, abort));
    libcurl().slist_free_all(headers);

    if (transfer.errorStatus > 0)
        return {HttpOutcome::HttpError, transfer.errorStatus, {}, {}, transfer.retryAfter};
    if (transfer.stoppedByReceiver)
        return {HttpOutcome::Stopped, 0, {}, {}, {}};
    if (result == CURLE_OPERATION_TIMEDOUT)
        return {HttpOutcome::TimedOut, 0, {}, {}, {}};
    // The answer points elsewhere; a long page of its own may have cut the connection, which does not matter.
    if (!transfer.redirect.empty())
        return {};
    if (transfer.failure.kind != HttpFailure::None)
        return {HttpOutcome::ServiceError, 0, transfer.failure, {}, {}};
    if (result != CURLE_OK)
        return {HttpOutcome::ServiceError,
                0,
                HttpFailure::ofCurlCode(result, transfer.begun),
                errorBuffer[0] ? errorBuffer : libcurl().easy_strerror(result),
                {}};
    if (!transfer.decoder.complete())
        return {HttpOutcome::ServiceError, 0, {HttpFailure::Incomplete, {}}, "compressed body cut short", {}};
    HttpOutcome outcome;
    libcurl().easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &outcome.status);
    if (!transfer.begun) {
        char* location = nullptr;
        libcurl().easy_getinfo(transfer.curl, CURLINFO_REDIRECT_URL, &location);
        if (outcome.status >= 300 && outcome.status <= 399 && location) {
            transfer.redirect = location;
            return outcome;
        }
        if (outcome.status > 299)
            return {HttpOutcome::HttpError, outcome.status, {}, {}, transfer.retryAfter};
        if (!transfer.receiver.beginBody())
            return {HttpOutcome::Stopped, 0, {}, {}, {}};
    }
    return outcome;
}
