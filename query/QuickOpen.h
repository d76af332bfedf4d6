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
    // Longest word first: it is in the fewest bookmarks, so most fail at once.
    std::vector<TextSearch> m_searches;
};

// The best `limit` of the bookmarks offered to it, kept as a bounded heap:
// a million matches never get sorted.
class QuickOpenRanking {
public:
    explicit QuickOpenRanking(size_t limit) : m_limit(limit) {}
    void Offer(QuickOpenRank rank, size_t nameLength, size_t index);
    // The kept ones, best first: by rank, then shorter names, then store order.
    std::vector<size_t> Rows() const;

private:
    struct Entry {
        QuickOpenRank rank;
        size_t nameLength;
        size_t index;
        bool operator<(const Entry& other) const;
    };
    size_t m_limit;
    std::vector<Entry> m_best;
};

// The best `limit` of the bookmarks at `candidates` (all of them when null)
// that `query` finds: by rank, then shorter names, then store order. Every
// one found is appended to `found` when given, in store order.
std::vector<size_t> QuickOpenBest(const StoreContent& content, const QuickOpenQuery& query, size_t limit,
                                  const std::vector<size_t>* candidates = nullptr,
                                  std::vector<size_t>* found = nullptr);

// Quick Open as the user types: a text that extends the last one finished
// (each of its words within one of the new text's) only looks through that
// one's bookmarks, not the whole collection. A scan may go a slice at a time,
// so that typing never waits for a whole collection.
class QuickOpenSearch {
public:
    // The best rows for `text`, at most kQuickOpenRows, in one go.
    std::vector<size_t> Update(const StoreContent& content, const std::string& text);

    // Begins a scan for `text`, dropping one under way; false for a blank
    // text: nothing to scan, Finish gives no rows.
    bool Start(const std::string& text);
    bool Scanning() const { return m_scanning; }
    // Looks at up to `sliceSize` more bookmarks; true while some remain.
    bool Scan(const StoreContent& content, size_t sliceSize);
    // Ends the scan: its best rows. Its text narrows the next one.
    std::vector<size_t> Finish();
    // The collection changed: the next text scans it whole.
    void Forget();

private:
    // The last finished scan (`m_valid` while the collection is unchanged).
    std::string m_text;
    std::vector<size_t> m_found;  // every bookmark m_text finds, in store order
    bool m_valid = false;

    // The scan under way.
    bool m_scanning = false;
    std::string m_scanText;
    QuickOpenQuery m_query{std::string()};
    QuickOpenRanking m_ranking{kQuickOpenRows};
    std::vector<size_t> m_candidates;  // with `m_narrowing`, the only bookmarks looked at
    bool m_narrowing = false;
    size_t m_next = 0;
    std::vector<size_t> m_scanFound;
};
