// Find's search a slice at a time, narrowing the results shown.
#include "query/IncrementalSearch.h"

#include "store/DataFile.h"

#include <algorithm>

bool IncrementalSearch::Start(const std::string& text, bool groupOnly, const std::string& group, bool narrowing,
                              const std::vector<size_t>& shown)
{
    Stop();
    m_text = text;
    m_groupOnly = groupOnly;
    m_group = group;
    if (m_text.empty())
        return false;
    // Every bookmark that holds the longer text holds the shorter one.
    m_narrowing = narrowing && m_shownValid && !m_shownText.empty() && m_groupOnly == m_shownGroupOnly &&
                  (!m_groupOnly || m_group == m_shownGroup) && m_text.find(m_shownText) != std::string::npos;
    if (m_narrowing)
        m_candidates = shown;
    m_search.emplace(m_text);
    return true;
}

void IncrementalSearch::Stop()
{
    m_search.reset();
    m_candidates.clear();
    m_found.clear();
    m_next = 0;
}

bool IncrementalSearch::Scan(const StoreContent& content, size_t sliceSize)
{
    if (!m_search)
        return false;
    const std::string* group = m_groupOnly ? &m_group : nullptr;
    const std::vector<BookmarkItem>& items = content.m_arrItems;
    const size_t total = m_narrowing ? m_candidates.size() : items.size();
    const size_t end = std::min(total, m_next + sliceSize);
    if (m_narrowing) {
        for (size_t k = m_next; k < end; ++k) {
            const size_t index = m_candidates[k];
            if (index < items.size() && BookmarkMatches(items[index], *m_search, group))
                m_found.push_back(index);
        }
    } else {
        FindBookmarksIn(content, *m_search, m_next, end, m_found, group);
    }
    m_next = end;
    return m_next < total;
}

std::vector<size_t> IncrementalSearch::Finish()
{
    std::vector<size_t> found = std::move(m_found);
    Stop();
    m_shownText = m_text;
    m_shownGroupOnly = m_groupOnly;
    m_shownGroup = m_group;
    m_shownValid = true;
    return found;
}
