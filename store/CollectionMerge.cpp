// Merging collections by hashing the bookmarks' texts, never comparing pairs.
#include "store/CollectionMerge.h"

#include "store/CoreText.h"
#include "store/TextCompare.h"
#include "store/TextFormat.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

const uint32_t kNone = UINT32_MAX;

// Which of a bookmark's texts a key is made of.
enum Field : unsigned { kGroup = 1, kName = 2, kUrl = 4, kDescription = 8, kWhole = 15 };

uint64_t HashOf(const BookmarkItem& item, unsigned fields)
{
    const std::hash<std::string> hash;
    uint64_t h = fields;
    const auto add = [&h](uint64_t value) {
        h = (h ^ value) * 0x9E3779B97F4A7C15ULL;
        h ^= h >> 29;
    };
    if (fields & kGroup)
        add(HashNoCase(item.m_strGroup));
    if (fields & kName)
        add(hash(item.m_strName));
    if (fields & kUrl)
        add(hash(item.m_strURL));
    if (fields & kDescription)
        add(hash(item.m_strDescription));
    return h;
}

bool EqualIn(const BookmarkItem& a, const BookmarkItem& b, unsigned fields)
{
    return (!(fields & kUrl) || a.m_strURL == b.m_strURL) && (!(fields & kName) || a.m_strName == b.m_strName) &&
           (!(fields & kDescription) || a.m_strDescription == b.m_strDescription) &&
           (!(fields & kGroup) || TextEqual(a.m_strGroup, b.m_strGroup));
}

// Numbers the distinct keys of the bookmarks it is shown, 0, 1, 2 ... in
// order of first sight: an open-addressed table of each key's first bookmark.
class KeyTable {
public:
    KeyTable(unsigned fields, size_t expected) : m_fields(fields)
    {
        size_t capacity = 16;
        while (capacity < expected * 2)
            capacity *= 2;
        m_slots.assign(capacity, Slot{0, kNone});
    }

    uint32_t Intern(const BookmarkItem& item)
    {
        if ((m_keys.size() + 1) * 2 > m_slots.size())
            Grow();
        const uint64_t hash = HashOf(item, m_fields);
        Slot* slot = Probe(item, hash);
        if (slot->id == kNone) {
            *slot = Slot{hash, static_cast<uint32_t>(m_keys.size())};
            m_keys.push_back(&item);
        }
        return slot->id;
    }

    uint32_t Find(const BookmarkItem& item) const
    {
        return const_cast<KeyTable*>(this)->Probe(item, HashOf(item, m_fields))->id;
    }

    size_t Size() const { return m_keys.size(); }

private:
    struct Slot {
        uint64_t hash;
        uint32_t id;
    };

    Slot* Probe(const BookmarkItem& item, uint64_t hash)
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t at = static_cast<size_t>(hash ^ (hash >> 32)) & mask;; at = (at + 1) & mask) {
            Slot& slot = m_slots[at];
            if (slot.id == kNone || (slot.hash == hash && EqualIn(*m_keys[slot.id], item, m_fields)))
                return &slot;
        }
    }

    void Grow()
    {
        std::vector<Slot> old(m_slots.size() * 2, Slot{0, kNone});
        old.swap(m_slots);
        const size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (slot.id == kNone)
                continue;
            size_t at = static_cast<size_t>(slot.hash ^ (slot.hash >> 32)) & mask;
            while (m_slots[at].id != kNone)
                at = (at + 1) & mask;
            m_slots[at] = slot;
        }
    }

    unsigned m_fields;
    std::vector<Slot> m_slots;
    std::vector<const BookmarkItem*> m_keys;
};

std::vector<uint32_t> KeysOf(KeyTable& table, const std::vector<BookmarkItem>& items)
{
    std::vector<uint32_t> keys(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        keys[i] = table.Intern(items[i]);
    return keys;
}

std::vector<uint32_t> CountKeys(const std::vector<uint32_t>& keys, size_t keyCount)
{
    std::vector<uint32_t> counts(keyCount, 0);
    for (const uint32_t key : keys)
        ++counts[key];
    return counts;
}

// Positions grouped by key, each group in the order given: the positions of
// key k are list[start[k]] .. list[start[k + 1] - 1].
struct PositionsByKey {
    PositionsByKey(const std::vector<uint32_t>& keyOf, const std::vector<uint32_t>& positions, size_t keyCount)
        : start(keyCount + 1, 0), list(positions.size())
    {
        for (const uint32_t at : positions)
            ++start[keyOf[at] + 1];
        for (size_t k = 0; k < keyCount; ++k)
            start[k + 1] += start[k];
        std::vector<uint32_t> fill(start.begin(), start.end() - 1);
        for (const uint32_t at : positions)
            list[fill[keyOf[at]]++] = at;
    }
    std::vector<uint32_t> start;
    std::vector<uint32_t> list;
};

std::vector<uint32_t> AllPositions(size_t count)
{
    std::vector<uint32_t> positions(count);
    for (size_t i = 0; i < count; ++i)
        positions[i] = static_cast<uint32_t>(i);
    return positions;
}

enum Role : uint8_t { kKept, kChanged, kMoved, kAdded, kRemoved };

bool IsChange(Role role)
{
    return role == kChanged || role == kMoved;
}

// How one side differs from the base, bookmark by bookmark: each of its
// bookmarks keeps a base bookmark, changes one (name, URL or description
// in the same group, or moved to another group) or is new; each base
// bookmark is kept, changed or removed.
struct SideDiff {
    std::vector<uint32_t> keys;
    std::vector<uint32_t> baseOf;  // by the side's bookmark, kNone when new
    std::vector<Role> roles;
    std::vector<uint32_t> sideOf;  // by the base bookmark, kNone when removed
    std::vector<Role> baseRoles;

    void Link(uint32_t baseItem, uint32_t sideItem, Role role)
    {
        baseOf[sideItem] = baseItem;
        roles[sideItem] = role;
        sideOf[baseItem] = sideItem;
        baseRoles[baseItem] = role;
    }
};

// Pairs the removals with the additions whose `fields` are alike, each
// addition with the first removal left in store order; the pairs leave
// both lists.
void PairBy(unsigned fields, Role role, const std::vector<BookmarkItem>& base, const std::vector<BookmarkItem>& side,
            std::vector<uint32_t>& removed, std::vector<uint32_t>& added, SideDiff& diff)
{
    if (removed.empty() || added.empty())
        return;
    KeyTable table(fields, removed.size());
    std::vector<uint32_t> keys(removed.size());
    for (size_t n = 0; n < removed.size(); ++n)
        keys[n] = table.Intern(base[removed[n]]);
    const PositionsByKey byKey(keys, AllPositions(removed.size()), table.Size());
    std::vector<uint32_t> next(byKey.start.begin(), byKey.start.end() - 1);
    for (const uint32_t sideItem : added) {
        const uint32_t key = table.Find(side[sideItem]);
        if (key == kNone || next[key] == byKey.start[key + 1])
            continue;
        diff.Link(removed[byKey.list[next[key]++]], sideItem, role);
    }
    removed.erase(std::remove_if(removed.begin(), removed.end(),
                                 [&diff](uint32_t item) { return diff.baseRoles[item] != kRemoved; }),
                  removed.end());
    added.erase(std::remove_if(added.begin(), added.end(), [&diff](uint32_t item) { return diff.roles[item] != kAdded; }),
                added.end());
}

// Matches `side` against the base: as many bookmarks of a key as both have
// are kept (in store order, first with first); of the rest, a removal and an
// addition alike in group and URL, in group and name, or in all but the
// group, are one change.
void MatchSide(const std::vector<BookmarkItem>& base, const std::vector<BookmarkItem>& side,
               const std::vector<uint32_t>& baseCount, const PositionsByKey& baseByKey, SideDiff& diff)
{
    diff.baseOf.assign(side.size(), kNone);
    diff.roles.assign(side.size(), kAdded);
    diff.sideOf.assign(base.size(), kNone);
    diff.baseRoles.assign(base.size(), kRemoved);
    std::vector<uint32_t> seen(baseCount.size(), 0);
    std::vector<uint32_t> added;
    for (uint32_t j = 0; j < side.size(); ++j) {
        const uint32_t key = diff.keys[j];
        const uint32_t rank = seen[key]++;
        if (rank < baseCount[key])
            diff.Link(baseByKey.list[baseByKey.start[key] + rank], j, kKept);
        else
            added.push_back(j);
    }
    std::vector<uint32_t> removed;
    for (uint32_t i = 0; i < base.size(); ++i) {
        if (diff.baseRoles[i] == kRemoved)
            removed.push_back(i);
    }
    PairBy(kGroup | kUrl, kChanged, base, side, removed, added, diff);
    PairBy(kGroup | kName, kChanged, base, side, removed, added, diff);
    PairBy(kName | kUrl | kDescription, kMoved, base, side, removed, added, diff);
}

struct Diffs {
    std::vector<uint32_t> baseCount;
    std::vector<uint32_t> oursCount;
    std::vector<uint32_t> theirsCount;
    SideDiff ours;
    SideDiff theirs;
};

Diffs DiffBoth(const StoreContent& base, const StoreContent& ours, const StoreContent& theirs)
{
    const std::vector<BookmarkItem>& b = base.m_arrItems;
    const std::vector<BookmarkItem>& o = ours.m_arrItems;
    const std::vector<BookmarkItem>& t = theirs.m_arrItems;
    KeyTable table(kWhole, std::max({b.size(), o.size(), t.size()}));
    Diffs diffs;
    const std::vector<uint32_t> baseKeys = KeysOf(table, b);
    diffs.ours.keys = KeysOf(table, o);
    diffs.theirs.keys = KeysOf(table, t);
    diffs.baseCount = CountKeys(baseKeys, table.Size());
    diffs.oursCount = CountKeys(diffs.ours.keys, table.Size());
    diffs.theirsCount = CountKeys(diffs.theirs.keys, table.Size());
    const PositionsByKey baseByKey(baseKeys, AllPositions(b.size()), table.Size());
    MatchSide(b, o, diffs.baseCount, baseByKey, diffs.ours);
    MatchSide(b, t, diffs.baseCount, baseByKey, diffs.theirs);
    return diffs;
}

// How many of a key (a bookmark's or a group's) the merge keeps: what both
// added once, what both removed once, and each side's own change otherwise.
uint32_t Target(uint32_t base, uint32_t ours, uint32_t theirs)
{
    if (ours > base && theirs > base)
        return std::max(ours, theirs);
    if (ours < base && theirs < base)
        return std::min(ours, theirs);
    const int64_t sum = static_cast<int64_t>(ours) + theirs - base;
    return static_cast<uint32_t>(std::max<int64_t>(sum, 0));
}

std::string Folded(const std::string& text)
{
    std::string folded(text);
    for (char& c : folded)
        c = FoldAscii(c);
    return folded;
}

// Group names by folded name, the first spelling kept.
using Renames = std::unordered_map<std::string, std::string>;

// The groups `side` renamed: a base group gone from its list whose
// bookmarks it kept all went, and some did, to one group new in its list.
Renames FindRenames(const StoreContent& base, const StoreContent& side, const SideDiff& diff)
{
    std::unordered_map<std::string, std::string> sideGroups;
    for (const std::string& group : side.m_arrGroups)
        sideGroups.emplace(Folded(group), group);
    std::unordered_set<std::string> baseGroups;
    struct Vanished {
        std::string target;
        size_t moved = 0;
        bool split = false;
    };
    std::unordered_map<std::string, Vanished> vanished;
    for (const std::string& group : base.m_arrGroups) {
        std::string folded = Folded(group);
        if (sideGroups.count(folded) == 0)
            vanished.emplace(folded, Vanished());
        baseGroups.insert(std::move(folded));
    }
    Renames renames;
    if (vanished.empty())
        return renames;
    for (size_t i = 0; i < base.m_arrItems.size(); ++i) {
        const auto found = vanished.find(Folded(base.m_arrItems[i].m_strGroup));
        if (found == vanished.end() || diff.baseRoles[i] == kRemoved)
            continue;
        Vanished& group = found->second;
        if (diff.baseRoles[i] != kMoved) {
            group.split = true;
            continue;
        }
        std::string target = Folded(side.m_arrItems[diff.sideOf[i]].m_strGroup);
        if (group.moved++ == 0)
            group.target = std::move(target);
        else if (target != group.target)
            group.split = true;
    }
    for (const auto& [name, group] : vanished) {
        if (group.split || group.moved == 0 || baseGroups.count(group.target) > 0)
            continue;
        const auto spelled = sideGroups.find(group.target);
        if (spelled != sideGroups.end())
            renames.emplace(name, spelled->second);
    }
    return renames;
}

// `text` with the group renamed when `renames` (or `more`) holds it.
void Rename(std::string& text, const Renames& renames, const Renames* more)
{
    const std::string folded = Folded(text);
    auto found = renames.find(folded);
    if (found != renames.end()) {
        text = found->second;
    } else if (more && (found = more->find(folded)) != more->end()) {
        text = found->second;
    }
}

StoreContent Renamed(const StoreContent& content, const Renames& renames, const Renames* more = nullptr)
{
    StoreContent renamed = content;
    for (std::string& group : renamed.m_arrGroups)
        Rename(group, renames, more);
    for (BookmarkItem& item : renamed.m_arrItems)
        Rename(item.m_strGroup, renames, more);
    return renamed;
}

// The bookmarks: ours' order, each kept one in ours' place (the other
// side's version when only it changed it, both versions side by side when
// both did, differently), then what came from theirs alone in its order.
void MergeItems(const StoreContent& ours, const StoreContent& theirs, const Diffs& diffs, MergeOutcome& outcome)
{
    const std::vector<BookmarkItem>& o = ours.m_arrItems;
    const std::vector<BookmarkItem>& t = theirs.m_arrItems;
    std::vector<uint32_t> quota(diffs.baseCount.size());
    for (size_t k = 0; k < quota.size(); ++k)
        quota[k] = Target(diffs.baseCount[k], diffs.oursCount[k], diffs.theirsCount[k]);
    // The rule's count of each key holds whatever pairing the sides' copies
    // of one bookmark got.
    const auto take = [&quota](uint32_t key) {
        if (quota[key] == 0)
            return false;
        --quota[key];
        return true;
    };
    std::vector<BookmarkItem>& merged = outcome.merged.m_arrItems;
    merged.reserve(o.size() + t.size() / 16);
    std::vector<bool> placed(t.size(), false);
    for (uint32_t j = 0; j < o.size(); ++j) {
        const Role role = diffs.ours.roles[j];
        const uint32_t baseItem = diffs.ours.baseOf[j];
        const Role theirRole = baseItem == kNone ? kAdded : diffs.theirs.baseRoles[baseItem];
        const uint32_t theirItem = baseItem == kNone ? kNone : diffs.theirs.sideOf[baseItem];
        if (role == kKept && theirRole == kRemoved) {
            ++outcome.removed;
            continue;
        }
        if (role == kKept && IsChange(theirRole)) {
            placed[theirItem] = true;
            if (take(diffs.theirs.keys[theirItem])) {
                merged.push_back(t[theirItem]);
                ++outcome.changed;
            } else {
                ++outcome.removed;
            }
            continue;
        }
        const bool kept = take(diffs.ours.keys[j]);
        if (kept)
            merged.push_back(o[j]);
        else
            ++outcome.removed;
        if (IsChange(role) && IsChange(theirRole)) {
            placed[theirItem] = true;
            if (take(diffs.theirs.keys[theirItem])) {
                merged.push_back(t[theirItem]);
                if (kept) {
                    ++outcome.keptTwice;
                    outcome.keptTwiceItems.push_back(merged.size() - 2);
                    outcome.keptTwiceItems.push_back(merged.size() - 1);
                } else {
                    ++outcome.added;
                }
            }
        }
    }
    for (uint32_t j = 0; j < t.size(); ++j) {
        if (!placed[j] && take(diffs.theirs.keys[j])) {
            merged.push_back(t[j]);
            ++outcome.added;
        }
    }
}

struct GroupCounts {
    uint32_t base = 0;
    uint32_t ours = 0;
    uint32_t theirs = 0;
    uint32_t merged = 0;
    const std::string* spelling = nullptr;  // ours', else theirs', else the base's
};

// The group list by the same rule, in ours' order, then theirs'. A group
// the merge would remove while a merged bookmark is still in it stays, at
// the end: what was kept of it is not lost from sight.
void MergeGroups(const StoreContent& base, const StoreContent& ours, const StoreContent& theirs, MergeOutcome& outcome)
{
    std::unordered_map<std::string, GroupCounts> counts;
    const auto count = [&counts](const std::vector<std::string>& groups, uint32_t GroupCounts::*field) {
        for (const std::string& group : groups) {
            GroupCounts& entry = counts[Folded(group)];
            ++(entry.*field);
            if (!entry.spelling)
                entry.spelling = &group;
        }
    };
    count(ours.m_arrGroups, &GroupCounts::ours);
    count(theirs.m_arrGroups, &GroupCounts::theirs);
    count(base.m_arrGroups, &GroupCounts::base);
    std::vector<std::string>& merged = outcome.merged.m_arrGroups;
    const auto emit = [&](const std::vector<std::string>& groups) {
        for (const std::string& group : groups) {
            GroupCounts& entry = counts[Folded(group)];
            if (entry.merged < Target(entry.base, entry.ours, entry.theirs)) {
                ++entry.merged;
                merged.push_back(group);
            }
        }
    };
    emit(ours.m_arrGroups);
    emit(theirs.m_arrGroups);
    size_t dropped = 0;
    for (const auto& entry : counts)
        dropped += entry.second.merged == 0 ? 1 : 0;
    for (const BookmarkItem& item : outcome.merged.m_arrItems) {
        if (dropped == 0)
            break;
        const auto found = counts.find(Folded(item.m_strGroup));
        if (found != counts.end() && found->second.merged == 0) {
            found->second.merged = 1;
            merged.push_back(*found->second.spelling);
            --dropped;
        }
    }
    for (const auto& entry : counts) {
        const GroupCounts& group = entry.second;
        outcome.groupsAdded += group.merged > group.ours ? group.merged - group.ours : 0;
        outcome.groupsRemoved += group.ours > group.merged ? group.ours - group.merged : 0;
    }
}

} // namespace

MergeOutcome MergeThreeWay(const StoreContent& base, const StoreContent& ours, const StoreContent& theirs)
{
    MergeOutcome outcome;
    const Diffs diffs = DiffBoth(base, ours, theirs);
    Renames oursRenamed = FindRenames(base, ours, diffs.ours);
    Renames theirsRenamed = FindRenames(base, theirs, diffs.theirs);
    // A group both renamed, alike or not, is merged as its bookmarks are.
    for (auto at = oursRenamed.begin(); at != oursRenamed.end();) {
        if (theirsRenamed.erase(at->first) > 0)
            at = oursRenamed.erase(at);
        else
            ++at;
    }
    if (oursRenamed.empty() && theirsRenamed.empty()) {
        MergeItems(ours, theirs, diffs, outcome);
        MergeGroups(base, ours, theirs, outcome);
        return outcome;
    }
    // Each side's renames, made in the base and on the other side first,
    // are no change of its own; the other's bookmarks follow them.
    const StoreContent renamedBase = Renamed(base, oursRenamed, &theirsRenamed);
    const StoreContent renamedOurs = Renamed(ours, theirsRenamed);
    const StoreContent renamedTheirs = Renamed(theirs, oursRenamed);
    MergeItems(renamedOurs, renamedTheirs, DiffBoth(renamedBase, renamedOurs, renamedTheirs), outcome);
    MergeGroups(renamedBase, renamedOurs, renamedTheirs, outcome);
    outcome.groupsRenamed = theirsRenamed.size();
    return outcome;
}

MergeOutcome MergeTwoWay(const StoreContent& into, const StoreContent& other)
{
    MergeOutcome outcome;
    outcome.threeWay = false;
    outcome.merged = into;
    KeyTable table(kWhole, into.m_arrItems.size() + other.m_arrItems.size());
    const std::vector<uint32_t> keys = KeysOf(table, into.m_arrItems);
    std::vector<uint32_t> unmatched = CountKeys(keys, table.Size());
    for (const BookmarkItem& item : other.m_arrItems) {
        const uint32_t key = table.Intern(item);
        if (key < unmatched.size() && unmatched[key] > 0) {
            --unmatched[key];
        } else {
            outcome.merged.m_arrItems.push_back(item);
            ++outcome.added;
        }
    }
    std::unordered_set<std::string> groups;
    for (const std::string& group : into.m_arrGroups)
        groups.insert(Folded(group));
    for (const std::string& group : other.m_arrGroups) {
        if (groups.insert(Folded(group)).second) {
            outcome.merged.m_arrGroups.push_back(group);
            ++outcome.groupsAdded;
        }
    }
    return outcome;
}

std::string MergeSummary(const MergeOutcome& outcome)
{
    if (!outcome.threeWay) {
        return FormatText(UserText(CoreText::MergedCollection),
                          {CountedText(outcome.added, CoreText::BookmarkOne, CoreText::BookmarkMany, true),
                           CountedText(outcome.groupsAdded, CoreText::GroupOne, CoreText::GroupMany, true)});
    }
    const std::string added = CountedText(outcome.added, CoreText::MergedAddedOne, CoreText::MergedAddedMany, true);
    const std::string removed =
        CountedText(outcome.removed, CoreText::MergedRemovedOne, CoreText::MergedRemovedMany, true);
    const std::string keptTwice =
        CountedText(outcome.keptTwice, CoreText::MergedKeptTwiceOne, CoreText::MergedKeptTwiceMany, true);
    if (outcome.changed == 0)
        return FormatText(UserText(CoreText::MergedElsewhere), {added, removed, keptTwice});
    return FormatText(UserText(CoreText::MergedElsewhereChanged),
                      {added, removed,
                       CountedText(outcome.changed, CoreText::MergedChangedOne, CoreText::MergedChangedMany, true),
                       keptTwice});
}
