// The HTTP interface of the link check and its failures.
#pragma once

#include <atomic>
#include <string>
#include <vector>

// A header's text without the blanks and tabs around it.
inline std::string TrimmedHeaderText(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Why a link gave no usable answer. The HTTP back ends report those up to
// Cancelled; the link checker adds the last two while following redirects.
enum class HttpFailure {
    None,
    BadAddress,    // no request can be made from the URL
    NameNotFound,
    Refused,
    Timeout,
    Tls,
    Malformed,     // what came back is no HTTP answer
    Other,         // the back end's own words in HttpReply::message
    Cancelled,
    TooManyRedirects,
    NotWebRedirect,  // a redirect to a scheme other than http or https
};

struct HttpReply {
    HttpFailure failure = HttpFailure::None;
    int status = 0;         // when there is no failure
    std::string location;   // the Location header as sent; empty without one
    std::vector<std::string> setCookies;  // the Set-Cookie headers, at most kMaxSetCookies
    std::string message;

    static const size_t kMaxSetCookies = 50;
};

// One HTTP request, so that the checker's rules (redirects, retries,
// outcomes) live in one portable place over WinHTTP and libcurl alike.
class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // A "HEAD" or "GET" of `url` (http or https) that follows no redirect,
    // sends no credentials and no cookie but `cookies` (the Cookie header's
    // value, none when empty), keeps none, and reads no body: the status
    // line and the headers decide. Ends by `timeoutMs` and within a tenth of
    // a second once `cancel` is set. Called from many threads at once.
    virtual HttpReply Send(const std::string& method, const std::string& url, const std::string& cookies,
                           int timeoutMs, const std::atomic<bool>& cancel) = 0;
};
