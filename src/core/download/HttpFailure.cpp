// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/HttpFailure.h"

#include <curl/curl.h>

namespace {

const char* reasonOf(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "proxy not found";
    case CURLE_PEER_FAILED_VERIFICATION:
        return "certificate not trusted";
    case CURLE_SSL_CONNECT_ERROR:
        return "secure connection failed";
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        return "certificate file unreadable";
    case CURLE_BAD_CONTENT_ENCODING:
        return "damaged compressed data";
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return "not an HTTP answer";
    case CURLE_GOT_NOTHING:
        return "empty answer";
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return "connection broken";
    case CURLE_TOO_MANY_REDIRECTS:
        return "too many redirections";
    case CURLE_OUT_OF_MEMORY:
        return "out of memory";
    case CURLE_URL_MALFORMAT:
        return "address not understood";
    default:
        return nullptr;
    }
}

} // namespace

HttpFailure HttpFailure::ofCurlCode(int code, bool bodyBegun)
{
    const auto curlCode = static_cast<CURLcode>(code);
    switch (curlCode) {
    case CURLE_OK:
        return {};
    case CURLE_COULDNT_CONNECT:
        return {NoConnection, {}};
    case CURLE_COULDNT_RESOLVE_HOST:
        return {HostNotFound, {}};
    case CURLE_PARTIAL_FILE:
        return {Incomplete, {}};
    case CURLE_RECV_ERROR:
        if (bodyBegun)
            return {Incomplete, {}};
        break;
    default:
        break;
    }
    if (const char* reason = reasonOf(curlCode))
        return other(reason);
    return other("transfer error " + std::to_string(code));
}
