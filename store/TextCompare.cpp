// How the store compares, sorts and hashes texts.
#include "store/TextCompare.h"

#include <algorithm>
#include <cstdint>
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

namespace {

int CompareFolded(const char* a, size_t aSize, const char* b, size_t bSize)
{
    const size_t n = std::min(aSize, bSize);
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(FoldAscii(a[i]));
        const unsigned char cb = static_cast<unsigned char>(FoldAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (aSize == bSize)
        return 0;
    return aSize < bSize ? -1 : 1;
}

} // namespace

int CompareNoCase(const std::string& a, const std::string& b)
{
    return CompareFolded(a.data(), a.size(), b.data(), b.size());
}

int CompareNoCasePrefix(const std::string& text, const std::string& prefix)
{
    return CompareFolded(text.data(), std::min(text.size(), prefix.size()), prefix.data(), prefix.size());
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

namespace {

// The first eight folded bytes, big-endian and zero-padded: a smaller key
// means a smaller text; equal keys leave the order to the whole texts.
uint64_t PrefixKey(const std::string& text)
{
    uint64_t key = 0;
    for (size_t i = 0; i < 8; ++i) {
        const unsigned char byte = i < text.size() ? static_cast<unsigned char>(FoldAscii(text[i])) : 0;
        key = (key << 8) | byte;
    }
    return key;
}

} // namespace

void SortIndicesNoCase(std::vector<size_t>& indices, const std::function<const std::string&(size_t)>& textOf,
                       bool ascending)
{
    // Folded once into one buffer, the texts compare with memcmp, which
    // orders unsigned bytes and then lengths as CompareNoCase does.
    struct Keyed {
        uint64_t key;
        size_t index;
        size_t offset;
        size_t length;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(indices.size());
    std::string folded;
    for (const size_t index : indices) {
        const std::string& text = textOf(index);
        keyed.push_back({PrefixKey(text), index, folded.size(), text.size()});
        for (const char c : text)
            folded += FoldAscii(c);
    }
    const char* const base = folded.data();
    std::sort(keyed.begin(), keyed.end(), [ascending, base](const Keyed& a, const Keyed& b) {
        int order = a.key < b.key ? -1 : (a.key > b.key ? 1 : 0);
        if (order == 0) {
            order = std::memcmp(base + a.offset, base + b.offset, std::min(a.length, b.length));
            if (order == 0 && a.length != b.length)
                order = a.length < b.length ? -1 : 1;
        }
        if (order != 0)
            return ascending ? order < 0 : order > 0;
        return a.index < b.index;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        indices[i] = keyed[i].index;
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

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldAscii(text[i]) != FoldAscii(prefix[i]))
            return false;
    }
    return true;
}
