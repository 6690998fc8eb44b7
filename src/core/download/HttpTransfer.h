#pragma once

#include "core/download/BodyReceiver.h"

#include <cstdint>
#include <optional>
#include <string>

struct HttpOutcome {
    enum Kind {
        // The body was read to its end.
        Completed,
        // The final answer had a status above 299; its body was not read.
        HttpError,
        // The HTTP layer failed (name resolution, connection, TLS, its own time-outs); see errorText.
        ServiceError,
        // The receiver stopped the transfer.
        Stopped,
    };
    Kind kind = Completed;
    long status = 0;
    std::string errorText;
};

// GET requests over http and https: certificate verification with the system's CA store (plus the file
// named by TICKORA_CA_FILE), the proxy settings of the environment, redirections followed to http and
// https only. One transfer object is one client context; its connections are reused across requests.
class HttpTransfer {
public:
    HttpTransfer();
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // The URL as it is sent (unsafe characters percent-encoded); nothing when it cannot be parsed or
    // its scheme is neither http nor https.
    static std::optional<std::string> canonicalUrl(const std::string& url);

    // `serviceTimeout`: seconds without any data after which the HTTP layer gives up.
    HttpOutcome get(const std::string& url, int32_t serviceTimeout, BodyReceiver& receiver);

private:
    struct Transfer;
    static size_t onWrite(char* data, size_t size, size_t count, void* transfer);
    static int onProgress(void* transfer, long long, long long, long long, long long);

    void* m_curl = nullptr;
};
