// Numbering bookmarks by some of their texts, by hashing.
#include "store/KeyTable.h"

#include "store/TextCompare.h"

#include <algorithm>
#include <functional>

namespace {

uint64_t HashOf(const BookmarkItem& item, unsigned fields)
{
    const std::hash<std::string> hash;
    uint64_t h = fields;
    const auto add = [&h](uint64_t value) {
        h = (h ^ value) * 0x9E3779B97F4A7C15ULL;
        h ^= h >> 29;
    };
    if (fields & kKeyGroup)
        add(HashNoCase(item.m_strGroup));
    if (fields & kKeyName)
        add(hash(item.m_strName));
    if (fields & kKeyUrl)
        add(hash(item.m_strURL));
    if (fields & kKeyDescription)
        add(hash(item.m_strDescription));
    return h;
}

uint32_t Tag(uint64_t hash)
{
    return static_cast<uint32_t>(hash >> 32);
}

} // namespace

bool KeysEqual(const BookmarkItem& a, const BookmarkItem& b, unsigned fields)
{
    return (!(fields & kKeyUrl) || a.m_strURL == b.m_strURL) && (!(fields & kKeyName) || a.m_strName == b.m_strName) &&
           (!(fields & kKeyDescription) || a.m_strDescription == b.m_strDescription) &&
           (!(fields & kKeyGroup) || TextEqual(a.m_strGroup, b.m_strGroup));
}

KeyTable::KeyTable(unsigned fields, size_t expected) : m_fields(fields)
{
    size_t capacity = 16;
    while (capacity < expected * 2)
        capacity *= 2;
    m_slots.assign(capacity, Slot{0, kNoKey});
}

uint32_t KeyTable::Intern(const BookmarkItem& item)
{
    return Intern(item, HashOf(item, m_fields));
}

void KeyTable::InternAll(const Items& items, std::vector<uint32_t>& keys)
{
    // The slots of a block are fetched from memory together rather than
    // one miss after another.
    const size_t kBlock = 16;
    uint64_t hashes[kBlock];
    keys.resize(items.size());
    for (size_t first = 0; first < items.size(); first += kBlock) {
        const size_t count = std::min(kBlock, items.size() - first);
        while ((m_keys.size() + count) * 2 > m_slots.size())
            Grow();
        for (size_t n = 0; n < count; ++n) {
            hashes[n] = HashOf(*items[first + n], m_fields);
            __builtin_prefetch(&m_slots[Home(hashes[n])]);
        }
        for (size_t n = 0; n < count; ++n)
            keys[first + n] = Intern(*items[first + n], hashes[n]);
    }
}

uint32_t KeyTable::Find(const BookmarkItem& item) const
{
    return m_slots[Probe(item, HashOf(item, m_fields))].id;
}

uint32_t KeyTable::Intern(const BookmarkItem& item, uint64_t hash)
{
    if ((m_keys.size() + 1) * 2 > m_slots.size())
        Grow();
    Slot& slot = m_slots[Probe(item, hash)];
    if (slot.id == kNoKey) {
        slot = Slot{Tag(hash), static_cast<uint32_t>(m_keys.size())};
        m_keys.push_back(&item);
        m_hashes.push_back(hash);
    }
    return slot.id;
}

size_t KeyTable::Probe(const BookmarkItem& item, uint64_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    const uint32_t tag = Tag(hash);
    for (size_t at = Home(hash);; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.id == kNoKey || (slot.tag == tag && KeysEqual(*m_keys[slot.id], item, m_fields)))
            return at;
    }
}

void KeyTable::Grow()
{
    m_slots.assign(m_slots.size() * 2, Slot{0, kNoKey});
    const size_t mask = m_slots.size() - 1;
    for (uint32_t id = 0; id < m_keys.size(); ++id) {
        size_t at = Home(m_hashes[id]);
        while (m_slots[at].id != kNoKey)
            at = (at + 1) & mask;
        m_slots[at] = Slot{Tag(m_hashes[id]), id};
    }
}

GroupIndex::GroupIndex(const std::vector<std::string>& names)
    : m_standIns(names.size()), m_table(kKeyGroup, names.size())
{
    for (size_t n = 0; n < names.size(); ++n) {
        m_standIns[n].m_strGroup = names[n];
        m_table.Intern(m_standIns[n]);
    }
}

uint32_t GroupIndex::Find(const std::string& group) const
{
    BookmarkItem standIn;
    standIn.m_strGroup = group;
    return Find(standIn);
}
