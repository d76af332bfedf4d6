// Find's text search over names, URLs and descriptions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct StoreContent;

// Looks for one text inside others the way the store compares texts
// (TextEqual): ASCII letters without regard to case, every other byte as it
// is. Built once per search, then asked about many texts.
class TextSearch {
public:
    explicit TextSearch(const std::string& text);

    // True when `text` contains the searched text; the empty text is in
    // every text.
    bool FoundIn(const std::string& text) const;

private:
    bool MatchesAt(const char* at) const;

    std::string m_folded;  // the searched text with its letters folded
    // One byte of it is looked for with memchr, in both cases for a letter;
    // a byte that is not a letter is preferred, as one memchr finds it.
    size_t m_anchor = 0;
    char m_anchorLower = 0;
    char m_anchorUpper = 0;
};

struct BookmarkItem;

// Whether FindBookmarks would list this bookmark.
bool BookmarkMatches(const BookmarkItem& item, const TextSearch& search, const std::string* group = nullptr);

// Indices into m_arrItems of the bookmarks whose name, URL or description
// contains `text` (TextSearch), in store order; with a `group`, only those
// whose group equals it, letter case ignored.
std::vector<size_t> FindBookmarks(const StoreContent& content, const std::string& text,
                                  const std::string* group = nullptr);

// FindBookmarks over the indices [begin, end) only (cut at the store's end),
// appended to `found`: a window scans a large store a slice at a time.
void FindBookmarksIn(const StoreContent& content, const TextSearch& search, size_t begin, size_t end,
                     std::vector<size_t>& found, const std::string* group = nullptr);

const size_t kNoBookmark = static_cast<size_t>(-1);

// The first bookmark FindBookmarks would return after index `after`,
// wrapping to the start (so `after` itself comes last); an `after` past the
// end, such as kNoBookmark, starts at the first. kNoBookmark when none.
size_t FindNextBookmark(const StoreContent& content, const TextSearch& search, size_t after,
                        const std::string* group = nullptr);
