// The link check's HTTP through libcurl.
#include "launch/HttpClient.h"

#include <curl/curl.h>

#include <cerrno>
#include <memory>

namespace {

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// The status line and the headers decide; the first byte of a body ends the
// transfer (reported as a write error, which Send takes for an answer).
size_t StopAtBody(char*, size_t, size_t, void*)
{
    return 0;
}

HttpFailure FailureOf(CURLcode code, long osError)
{
    switch (code) {
    case CURLE_URL_MALFORMAT:
        return HttpFailure::BadAddress;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return HttpFailure::NameNotFound;
    case CURLE_COULDNT_CONNECT:
        return osError == ECONNREFUSED ? HttpFailure::Refused : HttpFailure::Other;
    case CURLE_OPERATION_TIMEDOUT:
        return HttpFailure::Timeout;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return HttpFailure::Tls;
    case CURLE_UNSUPPORTED_PROTOCOL:  // an HTTP/0.9 answer: no status line at all
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return HttpFailure::Malformed;
    default:
        return HttpFailure::Other;
    }
}

} // namespace

std::string LookupHostName(const std::string& host)
{
    return host;
}

HttpClient::HttpClient(std::string userAgent) : m_userAgent(std::move(userAgent))
{
    // Once, before any worker thread sends.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

HttpReply HttpClient::Send(const std::string& method, const std::string& url, const std::string& cookies,
                           int timeoutMs, const std::atomic<bool>& cancel)
{
    HttpReply reply;
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!multi || !easy) {
        reply.failure = HttpFailure::Other;
        reply.message = "out of memory";
        return reply;
    }
    char error[CURL_ERROR_SIZE] = "";
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    if (method == "HEAD")
        curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(handle, CURLOPT_USERAGENT, m_userAgent.c_str());
    // Only this header: the cookie engine stays off, so nothing is kept.
    if (!cookies.empty())
        curl_easy_setopt(handle, CURLOPT_COOKIE, cookies.c_str());
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, StopAtBody);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);

    // The multi interface instead of curl_easy_perform, whose wait cannot
    // be cut short, so that a cancel is seen within a tenth of a second.
    curl_multi_add_handle(multi.get(), handle);
    int running = 1;
    while (running) {
        if (cancel) {
            reply.failure = HttpFailure::Cancelled;
            break;
        }
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
            break;
        if (running)
            curl_multi_poll(multi.get(), nullptr, 0, 100, nullptr);
    }
    CURLcode result = CURLE_FAILED_INIT;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (reply.failure == HttpFailure::None && (result == CURLE_OK || (result == CURLE_WRITE_ERROR && status != 0))) {
        reply.status = static_cast<int>(status);
        curl_header* location = nullptr;
        if (curl_easy_header(handle, "Location", 0, CURLH_HEADER, -1, &location) == CURLHE_OK)
            reply.location = location->value;
        curl_header* cookie = nullptr;
        for (size_t n = 0; n < HttpReply::kMaxSetCookies &&
                           curl_easy_header(handle, "Set-Cookie", n, CURLH_HEADER, -1, &cookie) == CURLHE_OK;
             ++n)
            reply.setCookies.push_back(cookie->value);
    } else if (reply.failure == HttpFailure::None) {
        long osError = 0;
        curl_easy_getinfo(handle, CURLINFO_OS_ERRNO, &osError);
        reply.failure = FailureOf(result, osError);
        reply.message = error[0] ? error : curl_easy_strerror(result);
    }
    curl_multi_remove_handle(multi.get(), handle);
    return reply;
}
