// Which URLs name one page.
#include "query/UrlIdentity.h"

#include "store/TextCompare.h"

#include <algorithm>

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
