#include "store/TextCompare.h"

#include <algorithm>
#include <cstring>
#include <numeric>

bool TextEqual(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

int CompareNoCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(FoldAscii(a[i]));
        const unsigned char cb = static_cast<unsigned char>(FoldAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::vector<size_t> SortedOrder(const std::vector<std::string>& names)
{
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&names](size_t x, size_t y) {
        return CompareNoCase(names[x], names[y]) < 0;
    });
    return order;
}

size_t HashNoCase(const std::string& s)
{
    // FNV-1a over the folded bytes.
    size_t h = static_cast<size_t>(14695981039346656037ULL);
    for (char c : s) {
        h ^= static_cast<unsigned char>(FoldAscii(c));
        h *= static_cast<size_t>(1099511628211ULL);
    }
    return h;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    return text.size() >= n && text.compare(0, n, prefix) == 0;
}
