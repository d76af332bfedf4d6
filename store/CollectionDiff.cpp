// The change record between two collections, by hashing rather than comparing pairs.
#include "store/CollectionDiff.h"

#include "store/KeyTable.h"

#include <cstdint>
#include <unordered_map>

namespace {

bool Same(const BookmarkItem& a, const BookmarkItem& b)
{
    return a.m_strName == b.m_strName && a.m_strURL == b.m_strURL && a.m_strGroup == b.m_strGroup &&
           a.m_strDescription == b.m_strDescription;
}

bool Same(const std::string& a, const std::string& b)
{
    return a == b;
}

// Each entry of `from` is matched with the next entry of `to` that has its
// key and comes after the last match; the unmatched ones between two
// matches pair up as changes, and those of `from` beyond the pairs go.
// `to` then lines up with what is left by position, and its rest is appended.
template <typename T>
void DiffList(const std::vector<T>& from, const std::vector<T>& to, const std::vector<uint32_t>& fromKeys,
              const std::vector<uint32_t>& toKeys, size_t keyCount, ChangeRecord::Part<T>& part)
{
    std::vector<uint32_t> start(keyCount + 1, 0);
    for (const uint32_t key : toKeys)
        ++start[key + 1];
    for (size_t k = 0; k < keyCount; ++k)
        start[k + 1] += start[k];
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    std::vector<uint32_t> positions(to.size());
    for (uint32_t k = 0; k < to.size(); ++k)
        positions[next[toKeys[k]]++] = k;
    next.assign(start.begin(), start.end() - 1);

    std::vector<bool> removed(from.size(), false);
    size_t gapFrom = 0;  // the first entry of `from` after the last match
    size_t gapTo = 0;    // and of `to`
    const auto closeGap = [&](size_t fromEnd, size_t toEnd) {
        const size_t a = fromEnd - gapFrom;
        const size_t b = toEnd - gapTo;
        for (size_t j = fromEnd - (a > b ? a - b : 0); j < fromEnd; ++j)
            removed[j] = true;
    };
    for (size_t j = 0; j < from.size(); ++j) {
        const uint32_t key = fromKeys[j];
        uint32_t& cursor = next[key];
        while (cursor < start[key + 1] && positions[cursor] < gapTo)
            ++cursor;
        if (cursor == start[key + 1])
            continue;
        const size_t k = positions[cursor++];
        closeGap(j, k);
        gapFrom = j + 1;
        gapTo = k + 1;
    }
    closeGap(from.size(), to.size());

    size_t kept = 0;
    for (size_t j = 0; j < from.size(); ++j) {
        if (removed[j]) {
            part.removed.emplace_back(j, T());
            continue;
        }
        if (!Same(from[j], to[kept]))
            part.changed.push_back({kept, to[kept]});
        ++kept;
    }
    part.added.assign(to.begin() + static_cast<std::ptrdiff_t>(kept), to.end());
}

} // namespace

ChangeRecord DiffCollections(const StoreContent& from, const StoreContent& to)
{
    ChangeRecord record;

    KeyTable table(kKeyWhole, from.m_arrItems.size() + to.m_arrItems.size());
    std::vector<uint32_t> fromKeys;
    std::vector<uint32_t> toKeys;
    KeyTable::Items items;
    for (const BookmarkItem& item : from.m_arrItems)
        items.push_back(&item);
    table.InternAll(items, fromKeys);
    items.clear();
    for (const BookmarkItem& item : to.m_arrItems)
        items.push_back(&item);
    table.InternAll(items, toKeys);
    DiffList(from.m_arrItems, to.m_arrItems, fromKeys, toKeys, table.Size(), record.items);

    std::unordered_map<std::string, uint32_t> groupKeys;
    const auto keysOf = [&groupKeys](const std::vector<std::string>& groups) {
        std::vector<uint32_t> keys;
        for (const std::string& group : groups)
            keys.push_back(groupKeys.emplace(group, static_cast<uint32_t>(groupKeys.size())).first->second);
        return keys;
    };
    const std::vector<uint32_t> fromGroups = keysOf(from.m_arrGroups);
    const std::vector<uint32_t> toGroups = keysOf(to.m_arrGroups);
    DiffList(from.m_arrGroups, to.m_arrGroups, fromGroups, toGroups, groupKeys.size(), record.groups);
    return record;
}
