// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/AbortSignal.h"
#include "core/download/BodyReceiver.h"
#include "core/download/HttpFailure.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct HttpRequest {
    std::string url;
    // Seconds for the whole request: connection, TLS handshake, the answer's headers and its body.
    int32_t timeout = 60;
    std::string userAgent;
    // Extra "Name: value" lines.
    std::vector<std::string> headers;
};

struct HttpOutcome {
    enum Kind {
        // The body was read to its end.
        Completed,
        // The final answer had a status above 299; its body was not read.
        HttpError,
        // The HTTP layer failed (name resolution, connection, TLS, a damaged body); see failure, and errorText
        // for the log.
        ServiceError,
        // The request took its timeout.
        TimedOut,
        // The receiver stopped the transfer.
        Stopped,
    };
    Kind kind = Completed;
    long status = 0;
    HttpFailure failure;
    std::string errorText;
    // The refusal's Retry-After in seconds, the longest when it carried several readable ones.
    std::optional<int> retryAfter;
};

// GET requests over http and https: certificate verification with the system's CA store (plus the file
// named by TICKORA_CA_FILE), the proxy settings of the environment, redirections followed to http and
// https only, compressed answers decoded. The request's extra headers go only to the origin (scheme, host,
// port) of the requested address, never along a redirection elsewhere: they often carry keys. One transfer object
// serves one thread at a time and keeps its connection alive for the next request; an abort signal wakes it at once.
class HttpTransfer {
public:
    HttpTransfer();
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Whether the HTTP library could be loaded; without it every get() fails with the reason.
    static bool available();
    // The URL as it is sent (unsafe characters percent-encoded); nothing when it cannot be parsed or
    // its scheme is neither http nor https.
    static std::optional<std::string> canonicalUrl(const std::string& url);
    // The host (lower case) and port of an http or https address; empty when it has none.
    static std::string hostOf(const std::string& url);
    // Seconds to wait for a Retry-After value (delay-seconds or an HTTP date); a date in the past is 0.
    static std::optional<int> parseRetryAfter(std::string_view value, time_t now);

    HttpOutcome get(const HttpRequest& request, BodyReceiver& receiver, AbortSignal* abort);

private:
    struct Transfer;
    static size_t onWrite(char* data, size_t size, size_t count, void* transfer);
    static size_t onHeader(char* data, size_t size, size_t count, void* transfer);
    static bool deliver(Transfer& transfer, const char* data, size_t size);
    void setOptions(const HttpRequest& request, Transfer& transfer, void* headers, char* errorBuffer);
    // Runs the added transfer to its end; CURLE_OK when it completed.
    int perform(Transfer& transfer, AbortSignal* abort);
    // One request without following a redirection; `transfer.redirect` names where the answer points.
    HttpOutcome getOnce(const HttpRequest& request, Transfer& transfer, AbortSignal* abort);

    void* m_multi = nullptr;
    void* m_curl = nullptr;
};
