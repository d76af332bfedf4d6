// The bookmark document: its groups, items and selection, and the operations on them.
#include "store/CBookmarkDoc.h"
#include "store/ChangeText.h"
#include "store/CollectionDiff.h"
#include "store/CoreText.h"

#include "store/FileError.h"
#include "store/IClipboard.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"
#include "store/TextFormat.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <new>
#include <thread>

namespace {

// How often a save looks at the file again when it keeps changing under it.
const int kSaveAttempts = 5;

std::string FirstInPaneOrder(const std::vector<std::string>& groups)
{
    const std::string* first = nullptr;
    for (const std::string& name : groups) {
        if (!first || CompareNoCase(name, *first) < 0)
            first = &name;
    }
    return first ? *first : std::string();
}

bool Lists(const std::vector<std::string>& groups, const std::string& group)
{
    return std::any_of(groups.begin(), groups.end(), [&group](const std::string& name) { return TextEqual(name, group); });
}

// A collection as it is in its file now.
struct OnDisk {
    FileStamp stamp;
    std::string bytes;
    StoreContent content;
};

// False when the file cannot be read as a collection now: gone, held by
// another program, half written or damaged.
bool ReadOnDisk(const std::string& path, OnDisk& disk)
{
    try {
        InputFile file(path);
        disk.stamp = file.Stamp();
        if (file.Size() > 0)
            ReadDataFile(file, disk.content, &disk.bytes);
        return true;
    } catch (const FileError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

StoreContent Decoded(const std::string& bytes)
{
    StoreContent content;
    if (!bytes.empty())
        ReadDataBytes(bytes.data(), bytes.size(), content);
    return content;
}

} // namespace

std::string MakeUniqueName(std::string candidate, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        if (TextEqual(name, candidate))
            candidate += " *";
    }
    return candidate;
}

CBookmarkDoc::CBookmarkDoc(CurrentSelection& selection, ClipboardMarks& marks, IPrompt& prompt, IClipboard& clipboard)
    : CDocument(prompt), m_selection(selection), m_marks(marks), m_clipboard(clipboard)
{
}

void CBookmarkDoc::SetPanes(IView* groupPane, IView* itemPane)
{
    m_groupPane = groupPane;
    m_itemPane = itemPane;
}

void CBookmarkDoc::Commit(IView* sender, const UpdateHint& hint)
{
    SetModifiedFlag(true);
    UpdateAllViews(sender, hint);
}

void CBookmarkDoc::Perform(ChangeRecord record, IView* sender, const UpdateHint& hint)
{
    m_journal.DropUndone();
    ApplyForward(record, m_content.m_arrGroups, m_content.m_arrItems);
    JournalRecord(std::move(record));
    Commit(sender, hint);
}

void CBookmarkDoc::JournalRecord(ChangeRecord record)
{
    record.what = DescribeChange(record, m_content);
    record.when = static_cast<int64_t>(std::time(nullptr));
    m_journal.Push(std::move(record));
}

namespace {

// What the views patch after `record` was done (or taken back, `count` items
// left then).
UpdateHint HintOf(const ChangeRecord& record, bool done, size_t count)
{
    if (record.TouchesGroups())
        return UpdateHint();
    std::vector<size_t> changed;
    for (const auto& edit : record.items.changed)
        changed.push_back(edit.index);
    if (done) {
        std::vector<size_t> removed;
        for (const auto& entry : record.items.removed)
            removed.push_back(entry.first);
        return ItemsHint(std::move(removed), std::move(changed), record.items.addedCount);
    }
    // Taken back, the appended rows go; removed ones coming back would land
    // among the others, which the panes' patch does not place: they rebuild.
    if (!record.items.removed.empty())
        return UpdateHint();
    std::vector<size_t> gone;
    for (size_t i = 0; i < record.items.addedCount; ++i)
        gone.push_back(count + i);
    return ItemsHint(std::move(gone), std::move(changed), 0);
}

} // namespace

size_t CBookmarkDoc::UndoChanges(size_t count)
{
    size_t undone = 0;
    while (undone < count && m_journal.UndoLast(m_content.m_arrGroups, m_content.m_arrItems))
        ++undone;
    if (undone == 0)
        return 0;
    ClearSelectedItem();
    Commit(nullptr, undone == 1 ? HintOf(*m_journal.NewestUndone(), false, m_content.m_arrItems.size()) : UpdateHint());
    return undone;
}

size_t CBookmarkDoc::RedoChanges(size_t count)
{
    size_t redone = 0;
    while (redone < count && m_journal.RedoLast(m_content.m_arrGroups, m_content.m_arrItems))
        ++redone;
    if (redone == 0)
        return 0;
    ClearSelectedItem();
    Commit(nullptr, redone == 1 ? HintOf(*m_journal.NewestDone(), true, 0) : UpdateHint());
    return redone;
}

void CBookmarkDoc::LoadContent(StoreContent content)
{
    m_content = std::move(content);
    m_journal.Clear();
}

void CBookmarkDoc::ImportCollection(StoreContent content, const std::string* group)
{
    LoadContent(std::move(content));
    m_selection.currentGroup = group ? *group : FirstGroupInPaneOrder();
    Commit(nullptr);
}

void CBookmarkDoc::SetCurrentGroup(const std::string& group, IView* sender)
{
    m_selection.currentGroup = group;
    // Only what is current changes, not the collection.
    UpdateAllViews(sender, SelectionHint());
}

void CBookmarkDoc::ShowMarks(bool modified)
{
    if (modified)
        SetModifiedFlag(true);
    UpdateAllViews(m_groupPane, ItemsHint({}, {}, 0));
}

void CBookmarkDoc::SelectItem(size_t index)
{
    if (index >= m_content.m_arrItems.size()) {
        ClearSelectedItem();
        return;
    }
    const BookmarkItem& item = m_content.m_arrItems[index];
    m_selection.itemURL = item.m_strURL;
    m_selection.itemName = item.m_strName;
    m_selection.itemDescription = item.m_strDescription;
    m_selection.itemIndex = static_cast<int32_t>(index);
}

void CBookmarkDoc::RestoreSelectionTexts(const BookmarkItem* texts)
{
    if (texts) {
        m_selection.itemName = texts->m_strName;
        m_selection.itemURL = texts->m_strURL;
    }
    UpdateAllViews(m_groupPane);
}

void CBookmarkDoc::CreateItem(BookmarkItem item)
{
    m_selection.itemName = item.m_strName;
    m_selection.itemURL = item.m_strURL;
    m_selection.itemDescription.clear();
    m_selection.itemIndex = static_cast<int32_t>(m_content.m_arrItems.size());
    AddItems({std::move(item)}, {}, m_groupPane);
}

std::string CBookmarkDoc::AddGroup()
{
    const std::string name = MakeUniqueName("New Group", m_content.m_arrGroups);
    ChangeRecord record;
    record.kind = ChangeRecord::AddGroup;
    record.groups.added.push_back(name);
    m_selection.currentGroup = name;
    Perform(std::move(record), nullptr, UpdateHint());
    return name;
}

void CBookmarkDoc::RenameGroup(const std::string& newText)
{
    const std::string candidate = MakeUniqueName(newText, m_content.m_arrGroups);
    const std::string old = m_selection.currentGroup;
    ChangeRecord record;
    record.kind = ChangeRecord::RenameGroup;
    for (size_t i = 0; i < m_content.m_arrGroups.size(); ++i) {
        const std::string& group = m_content.m_arrGroups[i];
        if (TextEqual(group, old))
            record.groups.changed.push_back({i, candidate});
    }
    for (size_t i = 0; i < m_content.m_arrItems.size(); ++i) {
        const BookmarkItem& item = m_content.m_arrItems[i];
        if (TextEqual(item.m_strGroup, old)) {
            BookmarkItem renamed = item;
            renamed.m_strGroup = candidate;
            Change(record.items, i, std::move(renamed));
        }
    }
    m_selection.currentGroup = candidate;
    Perform(std::move(record), m_itemPane, UpdateHint());
}

bool CBookmarkDoc::DeleteGroup()
{
    const std::string group = m_selection.currentGroup;
    // "deteled" is the program's documented message (store/CoreText.cpp); keep it.
    if (Prompt().ShowMessage(FormatText(UserText(CoreText::DeleteGroupQuestion), {group}),
                             MessageStyle::QuestionOkCancel) != MessageAnswer::Ok)
        return false;
    ChangeRecord record;
    record.kind = ChangeRecord::RemoveGroup;
    for (size_t i = 0; i < m_content.m_arrGroups.size(); ++i) {
        if (TextEqual(m_content.m_arrGroups[i], group))
            record.groups.removed.emplace_back(i, std::string());
    }
    for (size_t i = 0; i < m_content.m_arrItems.size(); ++i) {
        if (TextEqual(m_content.m_arrItems[i].m_strGroup, group))
            Remove(record.items, i);
    }
    ApplyForward(record, m_content.m_arrGroups, m_content.m_arrItems);
    m_content.m_arrGroups.shrink_to_fit();
    m_content.m_arrItems.shrink_to_fit();
    JournalRecord(std::move(record));
    Commit(nullptr);
    return true;
}

void CBookmarkDoc::AddItems(std::vector<BookmarkItem> items, std::vector<std::string> groups, IView* sender,
                            const std::string* current, bool imported)
{
    ChangeRecord record;
    record.kind = imported ? ChangeRecord::Import : groups.empty() ? ChangeRecord::AddItems : ChangeRecord::AddGroup;
    const size_t added = items.size();
    record.items.added = std::move(items);
    record.groups.added = std::move(groups);
    if (current)
        m_selection.currentGroup = *current;
    const UpdateHint hint = record.TouchesGroups() ? UpdateHint() : ItemsHint({}, {}, added);
    Perform(std::move(record), sender, hint);
}

void CBookmarkDoc::AddItemMoving(BookmarkItem item, const BookmarkItem* like)
{
    ChangeRecord record;
    record.kind = ChangeRecord::AddItems;
    std::vector<size_t> removed;
    if (like) {
        const std::vector<BookmarkItem>& items = m_content.m_arrItems;
        const auto found = std::find_if(items.begin(), items.end(), [like](const BookmarkItem& stored) {
            return TextEqual(stored.m_strGroup, like->m_strGroup) && stored.m_strName == like->m_strName &&
                   stored.m_strURL == like->m_strURL && stored.m_strDescription == like->m_strDescription;
        });
        if (found != items.end()) {
            const size_t index = static_cast<size_t>(found - items.begin());
            record.kind = ChangeRecord::PasteItem;
            Remove(record.items, index);
            removed.push_back(index);
            // No current item is left: its index may have moved.
            ClearSelectedItem();
        }
    }
    Append(record.items, std::move(item));
    Perform(std::move(record), m_groupPane, ItemsHint(std::move(removed), {}, 1));
}

void CBookmarkDoc::ChangeItem(size_t index, const BookmarkItem& fields)
{
    if (index >= m_content.m_arrItems.size())
        return;
    BookmarkItem after = fields;
    after.m_strGroup = m_content.m_arrItems[index].m_strGroup;
    if (m_selection.itemIndex >= 0 && static_cast<size_t>(m_selection.itemIndex) == index) {
        m_selection.itemName = after.m_strName;
        m_selection.itemURL = after.m_strURL;
        m_selection.itemDescription = after.m_strDescription;
    }
    ChangeRecord record;
    record.kind = ChangeRecord::EditItems;
    Change(record.items, index, std::move(after));
    Perform(std::move(record), m_groupPane, ItemsHint({}, {index}, 0));
}

const BookmarkItem* CBookmarkDoc::SelectedItem() const
{
    const int32_t index = m_selection.itemIndex;
    if (index < 0 || static_cast<size_t>(index) >= m_content.m_arrItems.size())
        return nullptr;
    return &m_content.m_arrItems[static_cast<size_t>(index)];
}

bool CBookmarkDoc::DeleteItem()
{
    // Checked first: a stale index must not leave an undo that brings back a
    // bookmark nobody deleted.
    if (!SelectedItem())
        return false;
    // "deteled", as above.
    if (Prompt().ShowMessage(FormatText(UserText(CoreText::DeleteItemQuestion), {m_selection.itemName}),
                             MessageStyle::QuestionOkCancel) != MessageAnswer::Ok)
        return false;
    m_clipboard.PutText(m_selection.itemName + "\n" + m_selection.itemURL + "\n" + m_selection.itemDescription);
    m_marks.undoURL = m_selection.itemURL;
    m_marks.undoGroup = m_selection.currentGroup;
    const size_t index = static_cast<size_t>(m_selection.itemIndex);
    ChangeRecord record;
    record.kind = ChangeRecord::RemoveItems;
    Remove(record.items, index);
    ClearSelectedItem();
    Perform(std::move(record), m_groupPane, ItemsHint({index}, {}, 0));
    return true;
}

size_t CBookmarkDoc::DeleteItems(const std::vector<size_t>& indices, IView* sender)
{
    std::vector<bool> doomed(m_content.m_arrItems.size());
    for (const size_t index : indices) {
        if (index < doomed.size())
            doomed[index] = true;
    }
    ChangeRecord record;
    record.kind = ChangeRecord::RemoveItems;
    std::vector<size_t> removed;
    for (size_t i = 0; i < doomed.size(); ++i) {
        if (doomed[i]) {
            removed.push_back(i);
            Remove(record.items, i);
        }
    }
    if (removed.empty())
        return 0;
    // The selected index may now name another bookmark, or none.
    ClearSelectedItem();
    const size_t count = removed.size();
    Perform(std::move(record), sender, ItemsHint(std::move(removed), {}, 0));
    return count;
}

std::string CBookmarkDoc::MoveItems(const std::vector<size_t>& indices, const std::string& group)
{
    const std::vector<std::string>& groups = m_content.m_arrGroups;
    const auto existing = std::find_if(groups.begin(), groups.end(),
                                       [&group](const std::string& name) { return TextEqual(name, group); });
    const std::string stored = existing != groups.end() ? *existing : group;
    ChangeRecord record;
    record.kind = ChangeRecord::MoveItems;
    std::vector<bool> seen(m_content.m_arrItems.size());
    for (const size_t index : indices) {
        if (index < m_content.m_arrItems.size() && !seen[index] && m_content.m_arrItems[index].m_strGroup != stored) {
            seen[index] = true;
            BookmarkItem moved = m_content.m_arrItems[index];
            moved.m_strGroup = stored;
            Change(record.items, index, std::move(moved));
        }
    }
    if (record.items.changed.empty())
        return stored;
    if (existing == groups.end())
        record.groups.added.push_back(stored);
    ClearSelectedItem();
    Perform(std::move(record), nullptr, UpdateHint());
    return stored;
}

void CBookmarkDoc::ChangeURLs(const std::vector<std::pair<size_t, std::string>>& changes)
{
    ChangeRecord record;
    record.kind = ChangeRecord::EditItems;
    for (const auto& change : changes) {
        if (change.first < m_content.m_arrItems.size()) {
            BookmarkItem changed = m_content.m_arrItems[change.first];
            changed.m_strURL = change.second;
            Change(record.items, change.first, std::move(changed));
        }
    }
    if (record.items.changed.empty())
        return;
    ClearSelectedItem();
    Perform(std::move(record), nullptr, UpdateHint());
}

size_t CBookmarkDoc::FindItem(const std::string& group, const std::string& name, const std::string& url,
                              size_t hint) const
{
    const std::vector<BookmarkItem>& items = m_content.m_arrItems;
    const auto matches = [&](const BookmarkItem& item) {
        return item.m_strName == name && item.m_strURL == url && TextEqual(item.m_strGroup, group);
    };
    if (hint < items.size() && matches(items[hint]))
        return hint;
    const auto found = std::find_if(items.begin(), items.end(), matches);
    return found == items.end() ? std::string::npos : static_cast<size_t>(found - items.begin());
}

void CBookmarkDoc::RenameItem(const std::string& newText)
{
    const BookmarkItem* item = SelectedItem();
    if (item == nullptr) {
        Commit(m_groupPane);
        return;
    }
    const size_t index = static_cast<size_t>(m_selection.itemIndex);
    ChangeRecord record;
    record.kind = ChangeRecord::EditItems;
    BookmarkItem renamed = *item;
    renamed.m_strName = newText;
    Change(record.items, index, std::move(renamed));
    Perform(std::move(record), m_groupPane, ItemsHint({}, {index}, 0));
}

void CBookmarkDoc::RemoveItemsByURL(const std::string& url, const std::string& group)
{
    ChangeRecord record;
    record.kind = ChangeRecord::RemoveItems;
    std::vector<size_t> removed;
    for (size_t i = 0; i < m_content.m_arrItems.size(); ++i) {
        const BookmarkItem& item = m_content.m_arrItems[i];
        if (TextEqual(item.m_strURL, url) && TextEqual(item.m_strGroup, group)) {
            Remove(record.items, i);
            removed.push_back(i);
        }
    }
    if (removed.empty())
        return;
    ClearSelectedItem();
    Perform(std::move(record), nullptr, ItemsHint(std::move(removed), {}, 0));
}

bool CBookmarkDoc::FindURL(const std::string& url) const
{
    const std::vector<BookmarkItem>& items = m_content.m_arrItems;
    return std::any_of(items.begin(), items.end(),
                       [&url](const BookmarkItem& item) { return TextEqual(item.m_strURL, url); });
}

std::vector<size_t> CBookmarkDoc::ItemsOfGroup(const std::string& group) const
{
    std::vector<size_t> indices;
    for (size_t i = 0; i < m_content.m_arrItems.size(); ++i) {
        if (TextEqual(m_content.m_arrItems[i].m_strGroup, group))
            indices.push_back(i);
    }
    return indices;
}

std::string CBookmarkDoc::FirstGroupInPaneOrder() const
{
    return FirstInPaneOrder(m_content.m_arrGroups);
}

void CBookmarkDoc::Clear()
{
    m_content.m_arrGroups.clear();
    m_content.m_arrItems.clear();
    m_journal.Clear();
}

void CBookmarkDoc::DeleteContents()
{
    Clear();
    m_disk = DiskCopy();
    m_saveMerge.clear();
    m_content.m_arrGroups.shrink_to_fit();
    m_content.m_arrItems.shrink_to_fit();
    // The old names and index would send a Paste or an item command to a
    // group or bookmark of the document that is gone.
    m_selection.currentGroup = FirstGroupInPaneOrder();
    ClearSelectedItem();
}

void CBookmarkDoc::ClearSelectedItem()
{
    m_selection.itemName.clear();
    m_selection.itemURL.clear();
    m_selection.itemDescription.clear();
    m_selection.itemIndex = -1;
}

void CBookmarkDoc::Load(InputFile& file)
{
    // A 2.0 file's bytes are no base for the collection saved in its place.
    const bool version20 = Version20Mode;
    std::string bytes;
    if (file.Size() > 0)
        ReadDataFile(file, m_content, version20 ? nullptr : &bytes);
    if (version20)
        return;
    m_disk.path = file.Path();
    m_disk.stamp = file.Stamp();
    m_disk.bytes = std::move(bytes);
}

// The file is looked at once more just before it is replaced; what another
// program wrote meanwhile is merged in its turn, the merge made again from
// the remembered version. A save of another Linkhive waits on the lock, so
// their looks and replaces never cross.
void CBookmarkDoc::Store(const std::string& path)
{
    m_saveMerge.clear();
    const FileSaveLock lock(path);
    const bool known = !m_disk.path.empty() && m_disk.path == path;
    FileStamp seen = m_disk.stamp;
    MergeOutcome merge;
    bool merged = false;
    std::string bytes;
    for (int attempt = 1;; ++attempt) {
        const FileStamp now = known ? StampOf(path) : seen;
        if (now != seen) {
            OnDisk disk;
            const bool read = now.exists && ReadOnDisk(path, disk);
            if (!read && attempt < kSaveAttempts) {
                // Maybe half written, or away while its writer puts another
                // in its place: the writer is given a moment.
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                continue;
            }
            // Gone, or unreadable for good (the save's backup keeps it): ours,
            // with what an earlier try merged, goes in its place.
            seen = read ? disk.stamp : now;
            if (read) {
                merged = disk.bytes != m_disk.bytes;
                if (merged)
                    merge = MergeThreeWay(Decoded(m_disk.bytes), m_content, disk.content);
            }
        }
        bytes = EncodeDataFile(merged ? merge.merged : m_content);
        std::function<bool()> unchanged;
        if (known)
            unchanged = [&] { return StampOf(path) == seen; };
        try {
            SafeFileWriter writer(path);
            writer.Write(bytes.data(), bytes.size());
            if (writer.Commit(unchanged))
                break;
        } catch (const FileError& error) {
            // Held a moment by another program (a sync service reading it):
            // tried again, as when it changed.
            if (error.cause() != FileError::SharingViolation || attempt >= kSaveAttempts)
                throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            continue;
        }
        if (attempt >= kSaveAttempts)
            throw FileError(FileError::SharingViolation, path);
    }
    if (merged && TakeMerge(std::move(merge)))
        m_saveMerge = m_journal.NewestDone()->what;
    m_disk.path = path;
    m_disk.stamp = StampOf(path);
    m_disk.bytes = std::move(bytes);
}

void CBookmarkDoc::OnOpened()
{
    m_selection.currentGroup = FirstGroupInPaneOrder();
}

void CBookmarkDoc::OnSaved()
{
    if (!m_saveMerge.empty())
        Prompt().ShowMessage(m_saveMerge, MessageStyle::InformationOk);
}

CBookmarkDoc::DiskCheck CBookmarkDoc::ReloadIfChanged()
{
    const std::string& path = GetPathName();
    if (IsModified() || path.empty() || path != m_disk.path)
        return DiskCheck::Unchanged;
    const FileStamp now = StampOf(path);
    if (!now.exists || now == m_disk.stamp)
        return DiskCheck::Unchanged;
    OnDisk disk;
    if (!ReadOnDisk(path, disk))
        return DiskCheck::Unreadable;
    m_disk.stamp = disk.stamp;
    // Written again as it was (or only touched): nothing to take.
    if (disk.bytes == m_disk.bytes)
        return DiskCheck::Unchanged;
    m_disk.bytes = std::move(disk.bytes);
    PutReloaded(std::move(disk.content));
    return DiskCheck::Reloaded;
}

void CBookmarkDoc::PutReloaded(StoreContent content)
{
    m_content = std::move(content);
    m_journal.Clear();
    if (!Lists(m_content.m_arrGroups, m_selection.currentGroup))
        m_selection.currentGroup = FirstGroupInPaneOrder();
    FindSelectedAgain();
    SetModifiedFlag(false);
    UpdateAllViews(nullptr);
}

void CBookmarkDoc::FindSelectedAgain()
{
    if (m_selection.itemIndex < 0)
        return;
    const size_t found = FindItem(m_selection.currentGroup, m_selection.itemName, m_selection.itemURL,
                                  static_cast<size_t>(m_selection.itemIndex));
    if (found == std::string::npos)
        ClearSelectedItem();
    else
        SelectItem(found);
}

bool CBookmarkDoc::TakeMerge(MergeOutcome outcome)
{
    ChangeRecord record = DiffCollections(m_content, outcome.merged);
    if (record.Empty())
        return false;
    const std::vector<std::string>& groups = outcome.merged.m_arrGroups;
    if (!Lists(groups, m_selection.currentGroup))
        m_selection.currentGroup = FirstInPaneOrder(groups);
    outcome.merged = StoreContent();
    record.kind = ChangeRecord::Merge;
    record.what = MergeSummary(outcome);
    UpdateHint hint;
    if (record.TouchesGroups()) {
        // The panes rebuild, no bookmark selected.
        ClearSelectedItem();
    } else {
        std::vector<size_t> removed;
        for (const auto& entry : record.items.removed)
            removed.push_back(entry.first);
        std::vector<size_t> changed;
        for (const auto& edit : record.items.changed)
            changed.push_back(edit.index);
        hint = ItemsHint(std::move(removed), std::move(changed), record.items.added.size());
    }
    Perform(std::move(record), nullptr, hint);
    FindSelectedAgain();
    return true;
}
