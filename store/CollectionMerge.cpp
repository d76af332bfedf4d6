// Merging collections by hashing the bookmarks' texts, never comparing pairs.
#include "store/CollectionMerge.h"

#include "store/CoreText.h"
#include "store/KeyTable.h"
#include "store/TextCompare.h"
#include "store/TextFormat.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

using Items = KeyTable::Items;

std::vector<uint32_t> KeysOf(KeyTable& table, const Items& items)
{
    std::vector<uint32_t> keys;
    table.InternAll(items, keys);
    return keys;
}

// The keys of a side's bookmarks, most of which stand in the base's order:
// each is first held against the base bookmark after the one the last
// matched, and the one after that; only the others are looked up.
std::vector<uint32_t> SideKeys(KeyTable& table, const Items& base, const std::vector<uint32_t>& baseKeys,
                               const std::vector<uint32_t>& baseAt, const Items& side)
{
    std::vector<uint32_t> keys(side.size());
    size_t next = 0;
    for (size_t j = 0; j < side.size(); ++j) {
        const BookmarkItem& item = *side[j];
        if (next < base.size() && KeysEqual(item, *base[next], kKeyWhole)) {
            keys[j] = baseKeys[next++];
        } else if (next + 1 < base.size() && KeysEqual(item, *base[next + 1], kKeyWhole)) {
            keys[j] = baseKeys[next + 1];
            next += 2;
        } else {
            keys[j] = table.Intern(item);
            if (keys[j] < baseAt.size())
                next = baseAt[keys[j]] + 1;
        }
    }
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
    std::vector<uint32_t> baseOf;  // by the side's bookmark, kNoKey when new
    std::vector<Role> roles;
    std::vector<uint32_t> sideOf;  // by the base bookmark, kNoKey when removed
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
void PairBy(unsigned fields, Role role, const Items& base, const Items& side, std::vector<uint32_t>& removed,
            std::vector<uint32_t>& added, SideDiff& diff)
{
    if (removed.empty() || added.empty())
        return;
    KeyTable table(fields, removed.size());
    std::vector<uint32_t> keys(removed.size());
    for (size_t n = 0; n < removed.size(); ++n)
        keys[n] = table.Intern(*base[removed[n]]);
    const PositionsByKey byKey(keys, AllPositions(removed.size()), table.Size());
    std::vector<uint32_t> next(byKey.start.begin(), byKey.start.end() - 1);
    for (const uint32_t sideItem : added) {
        const uint32_t key = table.Find(*side[sideItem]);
        if (key == kNoKey || next[key] == byKey.start[key + 1])
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
void MatchSide(const Items& base, const Items& side, const std::vector<uint32_t>& baseCount,
               const PositionsByKey& baseByKey, SideDiff& diff)
{
    diff.baseOf.assign(side.size(), kNoKey);
    diff.roles.assign(side.size(), kAdded);
    diff.sideOf.assign(base.size(), kNoKey);
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
    PairBy(kKeyGroup | kKeyUrl, kChanged, base, side, removed, added, diff);
    PairBy(kKeyGroup | kKeyName, kChanged, base, side, removed, added, diff);
    PairBy(kKeyName | kKeyUrl | kKeyDescription, kMoved, base, side, removed, added, diff);
}

struct Diffs {
    std::vector<uint32_t> baseCount;
    std::vector<uint32_t> oursCount;
    std::vector<uint32_t> theirsCount;
    SideDiff ours;
    SideDiff theirs;
};

// A collection as the merge reads it: its bookmarks by address, so that a
// group renamed for the merge copies only its own bookmarks (into `copies`).
struct View {
    std::vector<std::string> groups;
    Items items;
    std::deque<BookmarkItem> copies;
};

View ViewOf(const StoreContent& content)
{
    View view;
    view.groups = content.m_arrGroups;
    view.items.reserve(content.m_arrItems.size());
    for (const BookmarkItem& item : content.m_arrItems)
        view.items.push_back(&item);
    return view;
}

Diffs DiffBoth(const View& base, const View& ours, const View& theirs)
{
    const Items& b = base.items;
    const Items& o = ours.items;
    const Items& t = theirs.items;
    KeyTable table(kKeyWhole, std::max({b.size(), o.size(), t.size()}));
    Diffs diffs;
    const std::vector<uint32_t> baseKeys = KeysOf(table, b);
    std::vector<uint32_t> baseAt(table.Size());
    for (uint32_t i = 0; i < b.size(); ++i)
        baseAt[baseKeys[i]] = i;
    diffs.ours.keys = SideKeys(table, b, baseKeys, baseAt, o);
    diffs.theirs.keys = SideKeys(table, b, baseKeys, baseAt, t);
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

// Group renames: the old name folded, the new one as the side spells it.
using Renames = std::unordered_map<std::string, std::string>;

// The groups `side` renamed: a base group gone from its list whose
// bookmarks it kept all went, and some did, to one group new in its list.
Renames FindRenames(const View& base, const View& side, const SideDiff& diff)
{
    std::unordered_map<std::string, std::string> sideGroups;
    for (const std::string& group : side.groups)
        sideGroups.emplace(Folded(group), group);
    std::unordered_set<std::string> baseGroups;
    std::vector<std::string> vanished;
    for (const std::string& group : base.groups) {
        std::string folded = Folded(group);
        if (sideGroups.count(folded) == 0 && baseGroups.count(folded) == 0)
            vanished.push_back(folded);
        baseGroups.insert(std::move(folded));
    }
    Renames renames;
    if (vanished.empty())
        return renames;
    struct Fate {
        std::string target;
        size_t moved = 0;
        bool split = false;
    };
    std::vector<Fate> fates(vanished.size());
    const GroupIndex index(vanished);
    for (size_t i = 0; i < base.items.size(); ++i) {
        const uint32_t group = index.Find(*base.items[i]);
        if (group == kNoKey || diff.baseRoles[i] == kRemoved)
            continue;
        Fate& fate = fates[group];
        if (diff.baseRoles[i] != kMoved) {
            fate.split = true;
            continue;
        }
        std::string target = Folded(side.items[diff.sideOf[i]]->m_strGroup);
        if (fate.moved++ == 0)
            fate.target = std::move(target);
        else if (target != fate.target)
            fate.split = true;
    }
    for (size_t n = 0; n < vanished.size(); ++n) {
        const Fate& fate = fates[n];
        if (fate.split || fate.moved == 0 || baseGroups.count(fate.target) > 0)
            continue;
        const auto spelled = sideGroups.find(fate.target);
        if (spelled != sideGroups.end())
            renames.emplace(vanished[n], spelled->second);
    }
    return renames;
}

// `view` with the groups of `renames` and `more` renamed.
View Renamed(const View& view, const Renames& renames, const Renames& more = Renames())
{
    std::vector<std::string> from;
    std::vector<const std::string*> to;
    for (const Renames* each : {&renames, &more}) {
        for (const auto& [old, name] : *each) {
            from.push_back(old);
            to.push_back(&name);
        }
    }
    const GroupIndex index(from);
    View renamed;
    renamed.groups = view.groups;
    for (std::string& group : renamed.groups) {
        const uint32_t found = index.Find(group);
        if (found != kNoKey)
            group = *to[found];
    }
    renamed.items = view.items;
    for (const BookmarkItem*& item : renamed.items) {
        const uint32_t found = index.Find(*item);
        if (found == kNoKey)
            continue;
        renamed.copies.push_back(*item);
        renamed.copies.back().m_strGroup = *to[found];
        item = &renamed.copies.back();
    }
    return renamed;
}

// The bookmarks: ours' order, each kept one in ours' place (the other
// side's version when only it changed it, both versions side by side when
// both did, differently), then what came from theirs alone in its order.
void MergeItems(const Items& o, const Items& t, const Diffs& diffs, MergeOutcome& outcome)
{
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
        const Role theirRole = baseItem == kNoKey ? kAdded : diffs.theirs.baseRoles[baseItem];
        const uint32_t theirItem = baseItem == kNoKey ? kNoKey : diffs.theirs.sideOf[baseItem];
        if (role == kKept && theirRole == kRemoved) {
            ++outcome.removed;
            continue;
        }
        if (role == kKept && IsChange(theirRole)) {
            placed[theirItem] = true;
            if (take(diffs.theirs.keys[theirItem])) {
                merged.push_back(*t[theirItem]);
                ++outcome.changed;
            } else {
                ++outcome.removed;
            }
            continue;
        }
        const bool kept = take(diffs.ours.keys[j]);
        if (kept)
            merged.push_back(*o[j]);
        else
            ++outcome.removed;
        if (IsChange(role) && IsChange(theirRole)) {
            placed[theirItem] = true;
            if (take(diffs.theirs.keys[theirItem])) {
                merged.push_back(*t[theirItem]);
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
            merged.push_back(*t[j]);
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
void MergeGroups(const View& base, const View& ours, const View& theirs, MergeOutcome& outcome)
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
    count(ours.groups, &GroupCounts::ours);
    count(theirs.groups, &GroupCounts::theirs);
    count(base.groups, &GroupCounts::base);
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
    emit(ours.groups);
    emit(theirs.groups);
    std::vector<std::string> dropped;
    for (const auto& entry : counts) {
        if (entry.second.merged == 0)
            dropped.push_back(entry.first);
    }
    if (!dropped.empty()) {
        const GroupIndex index(dropped);
        for (const BookmarkItem& item : outcome.merged.m_arrItems) {
            const uint32_t found = index.Find(item);
            if (found == kNoKey)
                continue;
            GroupCounts& entry = counts[dropped[found]];
            if (entry.merged == 0) {
                entry.merged = 1;
                merged.push_back(*entry.spelling);
            }
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
    const View baseView = ViewOf(base);
    const View oursView = ViewOf(ours);
    const View theirsView = ViewOf(theirs);
    const Diffs diffs = DiffBoth(baseView, oursView, theirsView);
    Renames oursRenamed = FindRenames(baseView, oursView, diffs.ours);
    Renames theirsRenamed = FindRenames(baseView, theirsView, diffs.theirs);
    // A group both renamed, alike or not, is merged as its bookmarks are.
    for (auto at = oursRenamed.begin(); at != oursRenamed.end();) {
        if (theirsRenamed.erase(at->first) > 0)
            at = oursRenamed.erase(at);
        else
            ++at;
    }
    if (oursRenamed.empty() && theirsRenamed.empty()) {
        MergeItems(oursView.items, theirsView.items, diffs, outcome);
        MergeGroups(baseView, oursView, theirsView, outcome);
        return outcome;
    }
    // Each side's renames, made in the base and on the other side first,
    // are no change of its own; the other's bookmarks follow them.
    const View renamedBase = Renamed(baseView, oursRenamed, theirsRenamed);
    const View renamedOurs = Renamed(oursView, theirsRenamed);
    const View renamedTheirs = Renamed(theirsView, oursRenamed);
    MergeItems(renamedOurs.items, renamedTheirs.items, DiffBoth(renamedBase, renamedOurs, renamedTheirs), outcome);
    MergeGroups(renamedBase, renamedOurs, renamedTheirs, outcome);
    outcome.groupsRenamed = theirsRenamed.size();
    return outcome;
}

MergeOutcome MergeTwoWay(const StoreContent& into, const StoreContent& other)
{
    MergeOutcome outcome;
    outcome.threeWay = false;
    outcome.merged = into;
    KeyTable table(kKeyWhole, into.m_arrItems.size() + other.m_arrItems.size());
    const std::vector<uint32_t> keys = KeysOf(table, ViewOf(into).items);
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
