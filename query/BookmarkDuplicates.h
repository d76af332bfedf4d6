// The sets of bookmarks that share an address.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct StoreContent;

// The bookmarks whose URL another bookmark also has (SameAddress), as sets:
// the sets in CompareNoCase order of their URL (the folded bytes, then the
// bytes), the bookmarks of a set in store order. Flat, so that a list shows one row per
// bookmark: the rows are `items`, a set begins at each of `setStarts`.
struct DuplicateSets {
    std::vector<size_t> items;      // indices into m_arrItems, one set after another
    std::vector<size_t> setStarts;  // ascending positions in `items`; the first is 0
};

// Hashes each URL once; never compares bookmarks pairwise. With `similar`,
// addresses with one SimilarUrlKey count as one.
DuplicateSets FindDuplicates(const StoreContent& content, bool similar = false);

// Positions in `sets.items` of every bookmark but the first (in store order)
// of each set: the extra copies a clean-up removes.
std::vector<size_t> ExtraCopies(const DuplicateSets& sets);
