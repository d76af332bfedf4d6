// Numbering bookmarks by some of their texts, by hashing.
#pragma once

#include "store/BookmarkItem.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Which of a bookmark's texts a key is made of: the group as the store
// compares group names (ASCII letters folded), the others byte for byte.
enum KeyField : unsigned { kKeyGroup = 1, kKeyName = 2, kKeyUrl = 4, kKeyDescription = 8, kKeyWhole = 15 };

const uint32_t kNoKey = UINT32_MAX;

bool KeysEqual(const BookmarkItem& a, const BookmarkItem& b, unsigned fields);

// Numbers the distinct keys of the bookmarks it is shown, 0, 1, 2 ... in
// order of first sight: an open-addressed table of each key's first
// bookmark, which must outlive the table.
class KeyTable {
public:
    using Items = std::vector<const BookmarkItem*>;

    KeyTable(unsigned fields, size_t expected);

    uint32_t Intern(const BookmarkItem& item);
    // Intern of every item, into `keys`; faster than one at a time.
    void InternAll(const Items& items, std::vector<uint32_t>& keys);
    // The key's number, kNoKey when the table has not seen it.
    uint32_t Find(const BookmarkItem& item) const;
    size_t Size() const { return m_keys.size(); }

private:
    // The hash's high half, to pass over most other keys without reading them.
    struct Slot {
        uint32_t tag;
        uint32_t id;
    };

    uint32_t Intern(const BookmarkItem& item, uint64_t hash);
    size_t Probe(const BookmarkItem& item, uint64_t hash) const;
    size_t Home(uint64_t hash) const { return static_cast<size_t>(hash) & (m_slots.size() - 1); }
    void Grow();

    unsigned m_fields;
    std::vector<Slot> m_slots;
    std::vector<const BookmarkItem*> m_keys;
    std::vector<uint64_t> m_hashes;
};

// Distinct group names (letter case ignored) to find bookmarks' groups
// among, as fast as a bookmark is hashed.
class GroupIndex {
public:
    explicit GroupIndex(const std::vector<std::string>& names);
    GroupIndex(const GroupIndex&) = delete;
    GroupIndex& operator=(const GroupIndex&) = delete;

    // The number of the bookmark's group among the names, kNoKey when none.
    uint32_t Find(const BookmarkItem& item) const { return m_table.Find(item); }
    uint32_t Find(const std::string& group) const;

private:
    std::vector<BookmarkItem> m_standIns;  // bookmarks holding only the names
    KeyTable m_table;
};
