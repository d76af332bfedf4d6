// Quick Open's ranking: the bookmarks every typed word is in, best first.
#include "query/QuickOpen.h"

#include "store/DataFile.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <tuple>

std::vector<std::string> QuickOpenWords(const std::string& text)
{
    std::vector<std::string> words;
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = text.find_first_not_of(" \t", at);
        if (start == std::string::npos)
            break;
        size_t end = text.find_first_of(" \t", start);
        if (end == std::string::npos)
            end = text.size();
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

QuickOpenQuery::QuickOpenQuery(const std::string& text) : m_words(QuickOpenWords(text))
{
    std::vector<const std::string*> longestFirst;
    for (const std::string& word : m_words)
        longestFirst.push_back(&word);
    std::stable_sort(longestFirst.begin(), longestFirst.end(),
                     [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
    m_searches.reserve(m_words.size());
    for (const std::string* word : longestFirst)
        m_searches.emplace_back(*word);
}

QuickOpenRank QuickOpenQuery::Rank(const BookmarkItem& item) const
{
    if (m_searches.empty())
        return QuickOpenRank::NoMatch;
    bool allInName = true;
    for (const TextSearch& search : m_searches) {
        if (search.FoundIn(item.m_strName))
            continue;
        if (!search.FoundIn(item.m_strURL) && !search.FoundIn(item.m_strGroup))
            return QuickOpenRank::NoMatch;
        allInName = false;
    }
    if (!allInName)
        return QuickOpenRank::Elsewhere;
    return StartsWithNoCase(item.m_strName, m_words.front()) ? QuickOpenRank::NameStarts
                                                              : QuickOpenRank::NameContains;
}

bool QuickOpenQuery::Narrows(const QuickOpenQuery& wider) const
{
    for (const std::string& word : wider.m_words) {
        const TextSearch search(word);
        if (std::none_of(m_words.begin(), m_words.end(), [&search](const std::string& mine) {
                return search.FoundIn(mine);
            }))
            return false;
    }
    return true;
}

bool QuickOpenRanking::Entry::operator<(const Entry& other) const
{
    return std::tie(rank, nameLength, index) < std::tie(other.rank, other.nameLength, other.index);
}

void QuickOpenRanking::Offer(QuickOpenRank rank, size_t nameLength, size_t index)
{
    if (m_limit == 0)
        return;
    const Entry entry{rank, nameLength, index};
    if (m_best.size() < m_limit) {
        m_best.push_back(entry);
        std::push_heap(m_best.begin(), m_best.end());
    } else if (entry < m_best.front()) {
        std::pop_heap(m_best.begin(), m_best.end());
        m_best.back() = entry;
        std::push_heap(m_best.begin(), m_best.end());
    }
}

std::vector<size_t> QuickOpenRanking::Rows() const
{
    std::vector<Entry> sorted = m_best;
    std::sort_heap(sorted.begin(), sorted.end());
    std::vector<size_t> rows;
    rows.reserve(sorted.size());
    for (const Entry& entry : sorted)
        rows.push_back(entry.index);
    return rows;
}

namespace {

// Ranks the bookmarks at positions [begin, end) of `candidates` (of the
// whole store when null).
void RankSome(const StoreContent& content, const QuickOpenQuery& query, const std::vector<size_t>* candidates,
              size_t begin, size_t end, QuickOpenRanking& ranking, std::vector<size_t>* found)
{
    const std::vector<BookmarkItem>& items = content.m_arrItems;
    for (size_t n = begin; n < end; ++n) {
        const size_t i = candidates ? (*candidates)[n] : n;
        if (i >= items.size())
            continue;
        const BookmarkItem& item = items[i];
        const QuickOpenRank rank = query.Rank(item);
        if (rank == QuickOpenRank::NoMatch)
            continue;
        if (found)
            found->push_back(i);
        ranking.Offer(rank, item.m_strName.size(), i);
    }
}

} // namespace

std::vector<size_t> QuickOpenBest(const StoreContent& content, const QuickOpenQuery& query, size_t limit,
                                  const std::vector<size_t>* candidates, std::vector<size_t>* found)
{
    QuickOpenRanking ranking(limit);
    RankSome(content, query, candidates, 0, candidates ? candidates->size() : content.m_arrItems.size(), ranking,
             found);
    return ranking.Rows();
}

std::vector<size_t> QuickOpenSearch::Update(const StoreContent& content, const std::string& text)
{
    if (Start(text)) {
        while (Scan(content, content.m_arrItems.size() + 1)) {
        }
    }
    return Finish();
}

bool QuickOpenSearch::Start(const std::string& text)
{
    m_scanText = text;
    m_query = QuickOpenQuery(text);
    m_ranking = QuickOpenRanking(kQuickOpenRows);
    m_scanFound.clear();
    m_next = 0;
    m_candidates.clear();
    m_narrowing = m_valid && !m_query.Empty() && m_query.Narrows(QuickOpenQuery(m_text));
    if (m_narrowing)
        m_candidates = m_found;
    m_scanning = !m_query.Empty();
    return m_scanning;
}

bool QuickOpenSearch::Scan(const StoreContent& content, size_t sliceSize)
{
    if (!m_scanning)
        return false;
    const size_t total = m_narrowing ? m_candidates.size() : content.m_arrItems.size();
    const size_t end = total - m_next > sliceSize ? m_next + sliceSize : total;
    RankSome(content, m_query, m_narrowing ? &m_candidates : nullptr, m_next, end, m_ranking, &m_scanFound);
    m_next = end;
    return m_next < total;
}

std::vector<size_t> QuickOpenSearch::Finish()
{
    if (!m_scanning) {
        // A blank text: nothing shown narrows the next one.
        m_valid = false;
        return {};
    }
    m_scanning = false;
    m_text = m_scanText;
    m_found = std::move(m_scanFound);
    m_scanFound.clear();
    m_candidates.clear();
    m_valid = true;
    return m_ranking.Rows();
}

void QuickOpenSearch::Forget()
{
    m_valid = false;
    m_scanning = false;
    m_candidates.clear();
    m_scanFound.clear();
}
