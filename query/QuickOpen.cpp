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
    m_searches.reserve(m_words.size());
    for (const std::string& word : m_words)
        m_searches.emplace_back(word);
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

namespace {

struct Ranked {
    QuickOpenRank rank;
    size_t nameLength;
    size_t index;

    bool operator<(const Ranked& other) const
    {
        return std::tie(rank, nameLength, index) < std::tie(other.rank, other.nameLength, other.index);
    }
};

} // namespace

std::vector<size_t> QuickOpenBest(const StoreContent& content, const QuickOpenQuery& query, size_t limit,
                                  const std::vector<size_t>* candidates, std::vector<size_t>* found)
{
    // A max-heap of the best `limit` so far: a million matches never get sorted.
    std::vector<Ranked> best;
    const size_t count = candidates ? candidates->size() : content.m_arrItems.size();
    for (size_t n = 0; n < count; ++n) {
        const size_t i = candidates ? (*candidates)[n] : n;
        if (i >= content.m_arrItems.size())
            break;
        const BookmarkItem& item = content.m_arrItems[i];
        const QuickOpenRank rank = query.Rank(item);
        if (rank == QuickOpenRank::NoMatch)
            continue;
        if (found)
            found->push_back(i);
        const Ranked entry{rank, item.m_strName.size(), i};
        if (limit == 0)
            continue;
        if (best.size() < limit) {
            best.push_back(entry);
            std::push_heap(best.begin(), best.end());
        } else if (entry < best.front()) {
            std::pop_heap(best.begin(), best.end());
            best.back() = entry;
            std::push_heap(best.begin(), best.end());
        }
    }
    std::sort_heap(best.begin(), best.end());
    std::vector<size_t> rows;
    rows.reserve(best.size());
    for (const Ranked& entry : best)
        rows.push_back(entry.index);
    return rows;
}

std::vector<size_t> QuickOpenSearch::Update(const StoreContent& content, const std::string& text)
{
    const QuickOpenQuery query(text);
    if (query.Empty()) {
        m_valid = false;
        return {};
    }
    const bool narrowing = m_valid && query.Narrows(QuickOpenQuery(m_text));
    std::vector<size_t> found;
    const std::vector<size_t> rows =
        QuickOpenBest(content, query, kQuickOpenRows, narrowing ? &m_found : nullptr, &found);
    m_found = std::move(found);
    m_text = text;
    m_valid = true;
    return rows;
}
