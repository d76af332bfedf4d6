#include "exchange/UrlIdentity.h"

#include "store/TextCompare.h"

#include <cstring>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The parts that fold: [0, schemeEnd) and [hostBegin, hostEnd). Letter case
// never moves them (they are found by non-letters), so two addresses that
// are the same have the same parts.
struct FoldedParts {
    size_t schemeEnd = 0;
    size_t hostBegin = 0;
    size_t hostEnd = 0;

    explicit FoldedParts(const std::string& url)
    {
        const size_t colon = url.find(':');
        if (colon == std::string::npos || colon == 0 || !IsAsciiLetter(url[0]))
            return;
        for (size_t i = 1; i < colon; ++i) {
            const char c = url[i];
            if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && !std::strchr("+-.", c))
                return;
        }
        schemeEnd = colon;
        if (url.compare(colon + 1, 2, "//") != 0)
            return;  // no host: "mailto:", "news:"
        const size_t authority = colon + 3;
        // Browsers end a web address's host at a backslash too.
        hostEnd = url.find_first_of("/?#\\", authority);
        if (hostEnd == std::string::npos)
            hostEnd = url.size();
        const size_t at = url.rfind('@', hostEnd - 1);
        hostBegin = at != std::string::npos && at >= authority ? at + 1 : authority;
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
    // FNV-1a, as HashNoCase.
    const FoldedParts parts(url);
    size_t h = static_cast<size_t>(14695981039346656037ULL);
    for (size_t i = 0; i < url.size(); ++i) {
        h ^= static_cast<unsigned char>(parts.At(url, i));
        h *= static_cast<size_t>(1099511628211ULL);
    }
    return h;
}
