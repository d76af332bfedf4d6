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
