// Find's text search over names, URLs and descriptions.
#include "query/BookmarkSearch.h"

#include "store/DataFile.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The first place in [from, end) holding `c`, or null.
const char* Next(const char* from, const char* end, char c)
{
    if (from >= end)
        return nullptr;
    return static_cast<const char*>(std::memchr(from, static_cast<unsigned char>(c), static_cast<size_t>(end - from)));
}

} // namespace

bool BookmarkMatches(const BookmarkItem& item, const TextSearch& search, const std::string* group)
{
    if (group && !TextEqual(item.m_strGroup, *group))
        return false;
    return search.FoundIn(item.m_strName) || search.FoundIn(item.m_strURL) || search.FoundIn(item.m_strDescription);
}

TextSearch::TextSearch(const std::string& text) : m_folded(text)
{
    for (char& c : m_folded)
        c = FoldAscii(c);
    for (size_t i = 0; i < m_folded.size(); ++i) {
        if (!IsLetter(m_folded[i])) {
            m_anchor = i;
            break;
        }
    }
    if (!m_folded.empty()) {
        m_anchorLower = m_folded[m_anchor];
        m_anchorUpper = IsLetter(m_anchorLower) ? static_cast<char>(m_anchorLower - 'a' + 'A') : m_anchorLower;
    }
}

bool TextSearch::MatchesAt(const char* at) const
{
    for (size_t i = 0; i < m_folded.size(); ++i) {
        if (FoldAscii(at[i]) != m_folded[i])
            return false;
    }
    return true;
}

bool TextSearch::FoundIn(const std::string& text) const
{
    const size_t length = m_folded.size();
    if (length == 0)
        return true;
    if (text.size() < length)
        return false;
    // The anchor byte of a match lies in [first, end).
    const char* first = text.data() + m_anchor;
    const char* end = first + (text.size() - length) + 1;
    if (m_anchorLower == m_anchorUpper) {
        for (const char* at = Next(first, end, m_anchorLower); at; at = Next(at + 1, end, m_anchorLower)) {
            if (MatchesAt(at - m_anchor))
                return true;
        }
        return false;
    }
    // Both cases of a letter: two memchr cursors, the nearer one first.
    const char* lower = Next(first, end, m_anchorLower);
    const char* upper = Next(first, end, m_anchorUpper);
    while (lower || upper) {
        const char* at;
        if (lower && (!upper || lower < upper)) {
            at = lower;
            lower = Next(lower + 1, end, m_anchorLower);
        } else {
            at = upper;
            upper = Next(upper + 1, end, m_anchorUpper);
        }
        if (MatchesAt(at - m_anchor))
            return true;
    }
    return false;
}

std::vector<size_t> FindBookmarks(const StoreContent& content, const std::string& text, const std::string* group)
{
    std::vector<size_t> found;
    FindBookmarksIn(content, TextSearch(text), 0, content.m_arrItems.size(), found, group);
    return found;
}

void FindBookmarksIn(const StoreContent& content, const TextSearch& search, size_t begin, size_t end,
                     std::vector<size_t>& found, const std::string* group)
{
    end = std::min(end, content.m_arrItems.size());
    for (size_t i = begin; i < end; ++i) {
        if (BookmarkMatches(content.m_arrItems[i], search, group))
            found.push_back(i);
    }
}

size_t FindNextBookmark(const StoreContent& content, const TextSearch& search, size_t after, const std::string* group)
{
    const size_t count = content.m_arrItems.size();
    const size_t start = after < count ? after + 1 : 0;
    for (size_t n = 0; n < count; ++n) {
        const size_t i = (start + n) % count;
        if (BookmarkMatches(content.m_arrItems[i], search, group))
            return i;
    }
    return kNoBookmark;
}
