// The cookies of one link's check.
#include "launch/CookieJar.h"

#include "launch/IHttpClient.h"
#include "store/TextCompare.h"

#include <algorithm>

namespace {

struct Target {
    std::string host;
    std::string path;
    bool secure = false;
};

Target TargetOf(const std::string& url)
{
    Target target;
    const size_t scheme = url.find("://");
    const size_t authority = scheme == std::string::npos ? 0 : scheme + 3;
    target.secure = StartsWithNoCase(url, "https://");
    size_t pathStart = url.find_first_of("/?#", authority);
    if (pathStart == std::string::npos)
        pathStart = url.size();
    std::string host = url.substr(authority, pathStart - authority);
    host.erase(0, host.rfind('@') + 1);  // npos + 1 erases nothing
    const size_t bracket = host.rfind(']');
    const size_t colon = host.rfind(':');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket))
        host.resize(colon);
    for (char& c : host)
        c = FoldAscii(c);
    target.host = host;
    const size_t pathEnd = url.find_first_of("?#", pathStart);
    target.path = url.substr(pathStart, (pathEnd == std::string::npos ? url.size() : pathEnd) - pathStart);
    if (target.path.empty() || target.path[0] != '/')
        target.path = "/";
    return target;
}

bool HasControls(const std::string& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

bool IsNumber(const std::string& text)
{
    const size_t sign = text.compare(0, 1, "-") == 0 ? 1 : 0;
    return text.size() > sign && text.find_first_not_of("0123456789", sign) == std::string::npos;
}

// Whether a cookie of `cookiePath` goes with a request of `path`.
bool PathMatches(const std::string& cookiePath, const std::string& path)
{
    if (path.compare(0, cookiePath.size(), cookiePath) != 0)
        return false;
    return path.size() == cookiePath.size() || cookiePath.back() == '/' || path[cookiePath.size()] == '/';
}

} // namespace

void CookieJar::Take(const std::string& url, const std::vector<std::string>& setCookies)
{
    const Target target = TargetOf(url);
    // Without a Path, a cookie belongs to the request's folder.
    const size_t slash = target.path.rfind('/');
    const std::string folder = slash == 0 ? "/" : target.path.substr(0, slash);
    for (const std::string& setCookie : setCookies)
        TakeOne(target.host, folder, target.secure, setCookie);
}

void CookieJar::TakeOne(const std::string& host, const std::string& folder, bool secure, const std::string& setCookie)
{
    const size_t end = setCookie.find(';');
    const std::string pair = setCookie.substr(0, end);
    const size_t equals = pair.find('=');
    Cookie cookie;
    cookie.host = host;
    cookie.path = folder;
    cookie.name = TrimmedHeaderText(pair.substr(0, equals));
    cookie.value = equals == std::string::npos ? std::string() : TrimmedHeaderText(pair.substr(equals + 1));
    if (equals == std::string::npos || cookie.name.empty() ||
        cookie.name.size() + cookie.value.size() > kMaxCookieBytes || HasControls(cookie.name) ||
        HasControls(cookie.value))
        return;
    bool expired = false;
    for (size_t at = end; at != std::string::npos;) {
        const size_t next = setCookie.find(';', at + 1);
        const std::string attribute =
            setCookie.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        at = next;
        const size_t split = attribute.find('=');
        const std::string name = TrimmedHeaderText(attribute.substr(0, split));
        const std::string value = split == std::string::npos ? std::string() : TrimmedHeaderText(attribute.substr(split + 1));
        if (TextEqual(name, "path") && !value.empty() && value[0] == '/')
            cookie.path = value;
        else if (TextEqual(name, "secure"))
            cookie.secure = true;
        else if (TextEqual(name, "max-age") && IsNumber(value))
            expired = value[0] == '-' || value.find_first_not_of('0') == std::string::npos;
    }
    if (cookie.secure && !secure)
        return;  // only https may set a Secure cookie
    const auto same = std::find_if(m_cookies.begin(), m_cookies.end(), [&cookie](const Cookie& kept) {
        return kept.host == cookie.host && kept.path == cookie.path && kept.name == cookie.name;
    });
    if (expired) {
        if (same != m_cookies.end())
            m_cookies.erase(same);
    } else if (same != m_cookies.end()) {
        *same = std::move(cookie);
    } else if (m_cookies.size() < kMaxCookies) {
        m_cookies.push_back(std::move(cookie));
    }
}

std::string CookieJar::HeaderFor(const std::string& url) const
{
    const Target target = TargetOf(url);
    std::vector<const Cookie*> sent;
    for (const Cookie& cookie : m_cookies) {
        if (cookie.host == target.host && PathMatches(cookie.path, target.path) && (target.secure || !cookie.secure))
            sent.push_back(&cookie);
    }
    // The more particular path first, as browsers send them.
    std::stable_sort(sent.begin(), sent.end(),
                     [](const Cookie* a, const Cookie* b) { return a->path.size() > b->path.size(); });
    std::string header;
    for (const Cookie* cookie : sent) {
        if (!header.empty())
            header += "; ";
        header += cookie->name + "=" + cookie->value;
    }
    return header;
}
