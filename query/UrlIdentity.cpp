// Which URLs name one page.
#include "query/UrlIdentity.h"

#include "store/TextCompare.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsSchemeChar(char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The parts that fold: [0, schemeEnd) and [hostBegin, hostEnd). Letter case
// never moves them (they are found by non-letters), so two addresses that
// are the same have the same parts. One pass: this runs over every bookmark.
struct FoldedParts {
    size_t schemeEnd = 0;
    size_t hostBegin = 0;
    size_t hostEnd = 0;

    explicit FoldedParts(const std::string& url)
    {
        const size_t size = url.size();
        if (size == 0 || !IsAsciiLetter(url[0]))
            return;
        size_t i = 1;
        while (i < size && IsSchemeChar(url[i]))
            ++i;
        if (i == size || url[i] != ':')
            return;
        schemeEnd = i;
        if (i + 2 >= size || url[i + 1] != '/' || url[i + 2] != '/')
            return;  // no host: "mailto:", "news:"
        hostBegin = i + 3;
        // A user name and password end at the last '@'; browsers end a web
        // address's host at a backslash too.
        for (i = hostBegin; i < size; ++i) {
            const char c = url[i];
            if (c == '/' || c == '?' || c == '#' || c == '\\')
                break;
            if (c == '@')
                hostBegin = i + 1;
        }
        hostEnd = i;
    }

    char At(const std::string& url, size_t i) const
    {
        return i < schemeEnd || (i >= hostBegin && i < hostEnd) ? FoldAscii(url[i]) : url[i];
    }
};

} // namespace

bool SameAddress(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    const FoldedParts parts(a);
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && parts.At(a, i) != parts.At(b, i))
            return false;
    }
    return true;
}

size_t HashAddress(const std::string& url)
{
    // FNV-1a, as HashNoCase, a part at a time.
    const FoldedParts parts(url);
    size_t h = static_cast<size_t>(14695981039346656037ULL);
    const auto add = [&h](unsigned char byte) {
        h ^= byte;
        h *= static_cast<size_t>(1099511628211ULL);
    };
    const size_t rest = std::max(parts.schemeEnd, parts.hostEnd);
    for (size_t i = 0; i < parts.schemeEnd; ++i)
        add(static_cast<unsigned char>(FoldAscii(url[i])));
    for (size_t i = parts.schemeEnd; i < parts.hostBegin; ++i)
        add(static_cast<unsigned char>(url[i]));
    for (size_t i = parts.hostBegin; i < parts.hostEnd; ++i)
        add(static_cast<unsigned char>(FoldAscii(url[i])));
    for (size_t i = rest; i < url.size(); ++i)
        add(static_cast<unsigned char>(url[i]));
    return h;
}

namespace {

bool StartsLower(const std::string& text, size_t at, const char* lower)
{
    for (size_t i = 0; lower[i]; ++i) {
        if (at + i >= text.size() || std::tolower(static_cast<unsigned char>(text[at + i])) != lower[i])
            return false;
    }
    return true;
}

bool IsTracking(const std::string& parameter)
{
    const std::string name = parameter.substr(0, parameter.find('='));
    return StartsLower(name, 0, "utm_") || name == "fbclid" || name == "gclid";
}

} // namespace

std::string SimilarUrlKey(const std::string& url)
{
    const std::string whole = url.substr(0, url.find('#'));
    size_t rest;
    bool secure;
    if (StartsLower(whole, 0, "http://")) {
        rest = 7;
        secure = false;
    } else if (StartsLower(whole, 0, "https://")) {
        rest = 8;
        secure = true;
    } else {
        return whole;
    }
    const size_t authorityEnd = std::min(whole.find_first_of("/?", rest), whole.size());
    std::string authority = whole.substr(rest, authorityEnd - rest);
    const size_t at = authority.rfind('@');
    const size_t hostStart = at == std::string::npos ? 0 : at + 1;
    for (size_t i = hostStart; i < authority.size(); ++i)
        authority[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(authority[i])));
    if (StartsLower(authority, hostStart, "www."))
        authority.erase(hostStart, 4);
    const char* port = secure ? ":443" : ":80";
    if (authority.size() >= std::strlen(port) &&
        authority.compare(authority.size() - std::strlen(port), std::string::npos, port) == 0)
        authority.resize(authority.size() - std::strlen(port));
    const size_t queryStart = std::min(whole.find('?', authorityEnd), whole.size());
    std::string path = whole.substr(authorityEnd, queryStart - authorityEnd);
    if (!path.empty() && path.back() == '/')
        path.pop_back();
    std::string query;
    for (size_t start = queryStart + 1; start <= whole.size() && queryStart < whole.size();) {
        const size_t end = std::min(whole.find('&', start), whole.size());
        const std::string parameter = whole.substr(start, end - start);
        if (!parameter.empty() && !IsTracking(parameter))
            query += (query.empty() ? "?" : "&") + parameter;
        start = end + 1;
    }
    return "http://" + authority + path + query;
}
