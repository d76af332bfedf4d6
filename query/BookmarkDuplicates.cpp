// The sets of bookmarks that share an address.
#include "query/BookmarkDuplicates.h"

#include "query/UrlIdentity.h"
#include "store/DataFile.h"
#include "store/TextCompare.h"

#include <algorithm>

DuplicateSets FindDuplicates(const StoreContent& content, bool similar)
{
    const std::vector<BookmarkItem>& items = content.m_arrItems;
    std::vector<std::string> keys;
    if (similar) {
        keys.reserve(items.size());
        for (const BookmarkItem& item : items)
            keys.push_back(SimilarUrlKey(item.m_strURL));
    }
    const auto keyOf = [&](size_t i) -> const std::string& { return similar ? keys[i] : items[i].m_strURL; };
    struct Hashed {
        size_t hash;
        size_t index;
    };
    std::vector<Hashed> hashed(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        hashed[i] = {HashAddress(keyOf(i)), i};
    std::sort(hashed.begin(), hashed.end(), [](const Hashed& a, const Hashed& b) {
        return a.hash != b.hash ? a.hash < b.hash : a.index < b.index;
    });

    // Sets in the order found; each run of equal hashes is split by URL, as
    // different URLs may share a hash.
    std::vector<size_t> members;
    std::vector<size_t> starts;
    std::vector<size_t> rest;
    std::vector<size_t> other;
    for (size_t run = 0; run < hashed.size();) {
        size_t runEnd = run + 1;
        while (runEnd < hashed.size() && hashed[runEnd].hash == hashed[run].hash)
            ++runEnd;
        if (runEnd - run == 1) {
            run = runEnd;
            continue;
        }
        rest.clear();
        for (size_t k = run; k < runEnd; ++k)
            rest.push_back(hashed[k].index);
        run = runEnd;
        while (rest.size() >= 2) {
            const std::string& url = keyOf(rest[0]);
            const size_t start = members.size();
            other.clear();
            for (const size_t index : rest)
                (SameAddress(keyOf(index), url) ? members : other).push_back(index);
            if (members.size() - start >= 2)
                starts.push_back(start);
            else
                members.resize(start);
            rest.swap(other);
        }
    }

    std::vector<size_t> order(starts.size());
    for (size_t s = 0; s < order.size(); ++s)
        order[s] = s;
    const auto urlOf = [&](size_t s) -> const std::string& { return items[members[starts[s]]].m_strURL; };
    SortIndicesNoCase(order, urlOf, true);
    // Sets whose URLs differ only in letter case beyond the host: by bytes.
    for (size_t run = 0; run < order.size();) {
        size_t runEnd = run + 1;
        while (runEnd < order.size() && CompareNoCase(urlOf(order[run]), urlOf(order[runEnd])) == 0)
            ++runEnd;
        if (runEnd - run > 1)
            std::sort(order.begin() + static_cast<ptrdiff_t>(run), order.begin() + static_cast<ptrdiff_t>(runEnd),
                      [&](size_t a, size_t b) { return urlOf(a) < urlOf(b); });
        run = runEnd;
    }

    DuplicateSets sets;
    sets.items.reserve(members.size());
    sets.setStarts.reserve(starts.size());
    for (const size_t s : order) {
        const size_t end = s + 1 < starts.size() ? starts[s + 1] : members.size();
        sets.setStarts.push_back(sets.items.size());
        sets.items.insert(sets.items.end(), members.begin() + static_cast<ptrdiff_t>(starts[s]),
                          members.begin() + static_cast<ptrdiff_t>(end));
    }
    return sets;
}

std::vector<size_t> ExtraCopies(const DuplicateSets& sets)
{
    std::vector<size_t> extra;
    size_t next = 0;  // the set whose start comes next
    for (size_t row = 0; row < sets.items.size(); ++row) {
        if (next < sets.setStarts.size() && sets.setStarts[next] == row)
            ++next;
        else
            extra.push_back(row);
    }
    return extra;
}
