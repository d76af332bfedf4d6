// Quick Open's ranking: the bookmarks every typed word is in, best first.
#pragma once

#include "query/BookmarkSearch.h"

#include <cstddef>
#include <string>
#include <vector>

struct StoreContent;

const size_t kQuickOpenRows = 50;

// How well a bookmark answers the words: lower is better.
enum class QuickOpenRank {
    NameStarts,    // the name begins with the first word and holds every word
    NameContains,  // the name holds every word
    Elsewhere,     // some word only in the URL or the group
    NoMatch,
};

// The words of `text`, split on blanks (spaces and tabs); none for a blank text.
std::vector<std::string> QuickOpenWords(const std::string& text);

// Looks for a set of words, each in the name, URL or group of a bookmark
// (ASCII letters without regard to case).
class QuickOpenQuery {
public:
    explicit QuickOpenQuery(const std::string& text);

    bool Empty() const { return m_searches.empty(); }
    QuickOpenRank Rank(const BookmarkItem& item) const;
    // Whether every bookmark this query finds is also found by `wider`: each of
    // its words lies within one of ours.
    bool Narrows(const QuickOpenQuery& wider) const;

private:
    std::vector<std::string> m_words;
    std::vector<TextSearch> m_searches;
};

// The best `limit` of the bookmarks at `candidates` (all of them when null)
// that `query` finds: by rank, then shorter names, then store order. Every
// one found is appended to `found` when given, in store order.
std::vector<size_t> QuickOpenBest(const StoreContent& content, const QuickOpenQuery& query, size_t limit,
                                  const std::vector<size_t>* candidates = nullptr,
                                  std::vector<size_t>* found = nullptr);

// Quick Open as the user types: a text that extends the last one (each of the
// last one's words within one of its own) only looks through the last one's
// bookmarks, not the whole collection.
class QuickOpenSearch {
public:
    // The best rows for `text`, at most kQuickOpenRows.
    std::vector<size_t> Update(const StoreContent& content, const std::string& text);
    // The collection changed: the next text scans it whole.
    void Forget() { m_valid = false; }

private:
    std::string m_text;
    std::vector<size_t> m_found;  // every bookmark m_text finds, in store order
    bool m_valid = false;
};
