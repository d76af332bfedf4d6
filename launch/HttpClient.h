// The system's HTTP client for the link check.
#pragma once

#include "launch/IHttpClient.h"

// The system's HTTP: WinHTTP on Windows (HttpClient_win.cpp), libcurl
// elsewhere (HttpClient_posix.cpp). Proxies are the system's: WinHTTP's own
// setting, curl's environment variables.
class HttpClient : public IHttpClient {
public:
    explicit HttpClient(std::string userAgent);
    HttpReply Send(const std::string& method, const std::string& url, const std::string& cookies, int timeoutMs,
                   const std::atomic<bool>& cancel) override;

private:
    std::string m_userAgent;
};

// The name a host is looked up by: an internationalised one in its ASCII
// ("xn--") form, empty when it has none. WinHTTP asks DNS for the name as
// given; off Windows libcurl converts it itself, so the host comes back as
// it is.
std::string LookupHostName(const std::string& host);
