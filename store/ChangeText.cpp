// A change to the collection in words, for the history.
#include "store/ChangeText.h"

#include "store/CoreText.h"
#include "store/TextCompare.h"
#include "store/TextFormat.h"

#include <unordered_set>
#include <vector>

namespace {

// One bookmark by its name (its URL when it has none), more by their count.
std::string Bookmarks(const std::vector<const BookmarkItem*>& items)
{
    if (items.size() == 1)
        return items[0]->m_strName.empty() ? items[0]->m_strURL : items[0]->m_strName;
    return CountedText(items.size(), CoreText::BookmarkOne, CoreText::BookmarkMany, true);
}

// The group they share, or how many groups they are in.
std::string GroupOf(const std::vector<const BookmarkItem*>& items)
{
    // Hashed: an import adds a hundred thousand links to thousands of groups.
    struct Hash {
        size_t operator()(const std::string* text) const { return HashNoCase(*text); }
    };
    struct Equal {
        bool operator()(const std::string* a, const std::string* b) const { return TextEqual(*a, *b); }
    };
    std::unordered_set<const std::string*, Hash, Equal> groups;
    for (const BookmarkItem* item : items)
        groups.insert(&item->m_strGroup);
    if (groups.size() == 1)
        return **groups.begin();
    return CountedText(groups.size(), CoreText::GroupOne, CoreText::GroupMany, true);
}

} // namespace

std::string DescribeChange(const ChangeRecord& record, const StoreContent& after)
{
    const std::vector<BookmarkItem>& items = after.m_arrItems;
    std::vector<const BookmarkItem*> removed;
    for (const auto& entry : record.items.removed)
        removed.push_back(&entry.second);
    std::vector<const BookmarkItem*> added;
    for (size_t i = items.size() - record.items.addedCount; i < items.size(); ++i)
        added.push_back(&items[i]);
    std::vector<const BookmarkItem*> changed;
    for (const auto& edit : record.items.changed)
        changed.push_back(&items[edit.index]);

    switch (record.kind) {
    case ChangeRecord::AddItems:
        return FormatText(UserText(CoreText::ChangeAdded), {Bookmarks(added), GroupOf(added)});
    case ChangeRecord::Import:
        return FormatText(UserText(CoreText::ChangeImported),
                          {CountedText(added.size(), CoreText::BookmarkOne, CoreText::BookmarkMany, true),
                           GroupOf(added)});
    case ChangeRecord::RemoveItems:
        return FormatText(UserText(CoreText::ChangeDeleted), {Bookmarks(removed), GroupOf(removed)});
    case ChangeRecord::EditItems:
        return FormatText(UserText(CoreText::ChangeEdited), {Bookmarks(changed)});
    case ChangeRecord::MoveItems:
        return FormatText(UserText(CoreText::ChangeMoved), {Bookmarks(changed), GroupOf(changed)});
    case ChangeRecord::PasteItem:
        return FormatText(UserText(CoreText::ChangeMoved), {Bookmarks(added), GroupOf(added)});
    case ChangeRecord::AddGroup: {
        const size_t first = after.m_arrGroups.size() - record.groups.addedCount;
        return FormatText(UserText(CoreText::ChangeAddedGroup),
                          {first < after.m_arrGroups.size() ? after.m_arrGroups[first] : GroupOf(added)});
    }
    case ChangeRecord::RenameGroup: {
        std::string from;
        std::string to;
        if (!record.groups.changed.empty()) {
            from = record.groups.changed[0].other;
            to = after.m_arrGroups[record.groups.changed[0].index];
        } else if (!record.items.changed.empty()) {
            from = record.items.changed[0].other.m_strGroup;
            to = items[record.items.changed[0].index].m_strGroup;
        }
        return FormatText(UserText(CoreText::ChangeRenamedGroup), {from, to});
    }
    case ChangeRecord::Merge:
        return record.what;
    case ChangeRecord::RemoveGroup: {
        const std::string name = !record.groups.removed.empty() ? record.groups.removed[0].second
                                 : !removed.empty()              ? removed[0]->m_strGroup
                                                                 : std::string();
        return FormatText(UserText(CoreText::ChangeDeletedGroup),
                          {name, CountedText(removed.size(), CoreText::BookmarkOne, CoreText::BookmarkMany, true)});
    }
    }
    return std::string();
}
