// Find's search a slice at a time, narrowing the results shown.
#pragma once

#include "query/BookmarkSearch.h"

#include <optional>
#include <string>
#include <vector>

struct StoreContent;

// Find's search a slice at a time, so that neither typing nor the window
// waits for a whole collection. It keeps the search whose results are shown:
// a longer text of it only needs those results looked through.
class IncrementalSearch {
public:
    // Begins a scan for `text` (of the bookmarks of `group` only, with
    // `groupOnly`); `shown` are the results on show. With `narrowing`, when
    // the shown ones are the last finished search's, still valid, under the
    // same terms and for a text the new one holds, only they are looked
    // through. False for the empty text: nothing to scan, Finish gives none.
    bool Start(const std::string& text, bool groupOnly, const std::string& group, bool narrowing,
               const std::vector<size_t>& shown);
    // Drops the scan under way; the shown search stays as it was.
    void Stop();
    bool Scanning() const { return m_search.has_value(); }
    // Looks at up to `sliceSize` more bookmarks; true while some remain.
    bool Scan(const StoreContent& content, size_t sliceSize);
    // Ends the scan: its results, in store order, become the shown ones.
    std::vector<size_t> Finish();
    // The collection changed: the results shown narrow no search.
    void Forget() { m_shownValid = false; }

private:
    // The search that gave the results shown (`m_shownValid` while the
    // collection has not changed since).
    std::string m_shownText;
    bool m_shownGroupOnly = false;
    std::string m_shownGroup;
    bool m_shownValid = false;

    // The scan under way.
    std::optional<TextSearch> m_search;
    std::string m_text;
    bool m_groupOnly = false;
    std::string m_group;
    std::vector<size_t> m_candidates;  // with `m_narrowing`, the only bookmarks looked at
    bool m_narrowing = false;
    size_t m_next = 0;
    std::vector<size_t> m_found;
};
