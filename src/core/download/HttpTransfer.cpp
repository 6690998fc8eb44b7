#include "core/download/HttpTransfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace {

constexpr long kConnectTimeout = 60;
constexpr long kMaxRedirections = 10;

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlUrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

struct CurlStringDeleter {
    void operator()(char* text) const { curl_free(text); }
};

using CurlString = std::unique_ptr<char, CurlStringDeleter>;

CurlString urlPart(CURLU* url, CURLUPart part)
{
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK)
        return nullptr;
    return CurlString(text);
}

} // namespace

struct HttpTransfer::Transfer {
    CURL* curl;
    BodyReceiver& receiver;
    bool begun = false;
    bool stoppedByReceiver = false;
    long errorStatus = 0;
};

HttpTransfer::HttpTransfer()
{
    initialiseCurl();
    m_curl = curl_easy_init();
}

HttpTransfer::~HttpTransfer()
{
    curl_easy_cleanup(static_cast<CURL*>(m_curl));
}

std::optional<std::string> HttpTransfer::canonicalUrl(const std::string& url)
{
    initialiseCurl();
    std::unique_ptr<CURLU, CurlUrlDeleter> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), CURLU_URLENCODE) != CURLUE_OK)
        return std::nullopt;
    const CurlString scheme = urlPart(parsed.get(), CURLUPART_SCHEME);
    if (!scheme || (std::string(scheme.get()) != "http" && std::string(scheme.get()) != "https"))
        return std::nullopt;
    const CurlString canonical = urlPart(parsed.get(), CURLUPART_URL);
    if (!canonical)
        return std::nullopt;
    return std::string(canonical.get());
}

size_t HttpTransfer::onWrite(char* data, size_t size, size_t count, void* context)
{
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t total = size * count;
    if (!transfer.begun) {
        long status = 0;
        curl_easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
        if (status > 299) {
            transfer.errorStatus = status;
            return CURL_WRITEFUNC_ERROR;
        }
        transfer.begun = true;
        if (!transfer.receiver.beginBody()) {
            transfer.stoppedByReceiver = true;
            return CURL_WRITEFUNC_ERROR;
        }
    }
    for (size_t done = 0; done < total; done += BodyReceiver::kReadSize) {
        if (!transfer.receiver.receive(data + done, std::min(BodyReceiver::kReadSize, total - done))) {
            transfer.stoppedByReceiver = true;
            return CURL_WRITEFUNC_ERROR;
        }
    }
    return total;
}

int HttpTransfer::onProgress(void* context, long long, long long, long long, long long)
{
    auto& transfer = *static_cast<Transfer*>(context);
    if (transfer.receiver.keepWaiting())
        return 0;
    transfer.stoppedByReceiver = true;
    return 1;
}

HttpOutcome HttpTransfer::get(const std::string& url, int32_t serviceTimeout, BodyReceiver& receiver)
{
    CURL* curl = static_cast<CURL*>(m_curl);
    if (!curl)
        return {HttpOutcome::ServiceError, 0, "The HTTP client could not be initialised."};
    Transfer transfer{curl, receiver};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* headers = curl_slist_append(nullptr, "Accept: text/*");
    headers = curl_slist_append(headers, "Cache-Control: no-cache");

    curl_easy_reset(curl);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Tickora");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirections);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, static_cast<long>(BodyReceiver::kReadSize));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeout);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, std::max(kConnectTimeout, static_cast<long>(serviceTimeout)));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &HttpTransfer::onWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &HttpTransfer::onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    if (const char* caFile = std::getenv("TICKORA_CA_FILE"); caFile && *caFile)
        curl_easy_setopt(curl, CURLOPT_CAINFO, caFile);

    const CURLcode result = curl_easy_perform(curl);
    curl_slist_free_all(headers);

    HttpOutcome outcome;
    if (transfer.errorStatus > 0)
        return {HttpOutcome::HttpError, transfer.errorStatus, {}};
    if (transfer.stoppedByReceiver)
        return {HttpOutcome::Stopped, 0, {}};
    if (result != CURLE_OK)
        return {HttpOutcome::ServiceError, 0, errorBuffer[0] ? errorBuffer : curl_easy_strerror(result)};
    if (!transfer.begun) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &outcome.status);
        if (outcome.status > 299)
            return {HttpOutcome::HttpError, outcome.status, {}};
        if (!receiver.beginBody())
            return {HttpOutcome::Stopped, 0, {}};
    }
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &outcome.status);
    return outcome;
}
