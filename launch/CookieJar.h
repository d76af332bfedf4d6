// The cookies of one link's check.
#pragma once

#include <string>
#include <vector>

// The cookies of one link's check, in memory for that check alone: a site
// that sets a cookie and redirects to see it come back (before its first
// page, as many do) answers as it would a browser. A cookie goes back only
// to the host that set it, whatever its Domain says, along its Path, and
// over https only when Secure; Max-Age 0 or less removes it.
class CookieJar {
public:
    // Takes the Set-Cookie headers of the answer to `url` (http or https).
    void Take(const std::string& url, const std::vector<std::string>& setCookies);
    // The Cookie header's value for a request of `url`; empty for none.
    std::string HeaderFor(const std::string& url) const;

    static const size_t kMaxCookies = 50;
    static const size_t kMaxCookieBytes = 4096;  // name and value

private:
    struct Cookie {
        std::string host;  // letters folded
        std::string path;
        std::string name;
        std::string value;
        bool secure = false;
    };

    void TakeOne(const std::string& host, const std::string& folder, bool secure, const std::string& setCookie);

    std::vector<Cookie> m_cookies;  // in the order they came
};
