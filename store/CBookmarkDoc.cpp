// The bookmark document: its groups, items and selection, and the operations on them.
#include "store/CBookmarkDoc.h"

#include "store/IClipboard.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

#include <algorithm>

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


std::string CBookmarkDoc::AddGroup()
{
    const std::string name = MakeUniqueName("New Group", m_arrGroups);
    m_arrGroups.push_back(name);
    m_selection.currentGroup = name;
    Commit(nullptr);
    return name;
}

void CBookmarkDoc::RenameGroup(const std::string& newText)
{
    const std::string candidate = MakeUniqueName(newText, m_arrGroups);
    const std::string old = m_selection.currentGroup;
    for (std::string& group : m_arrGroups) {
        if (TextEqual(group, old))
            group = candidate;
    }
    for (BookmarkItem& item : m_arrItems) {
        if (TextEqual(item.m_strGroup, old))
            item.m_strGroup = candidate;
    }
    m_selection.currentGroup = candidate;
    Commit(m_itemPane);
}

bool CBookmarkDoc::DeleteGroup()
{
    const std::string group = m_selection.currentGroup;
    // "deteled" is the program's documented message; keep it.
    if (Prompt().ShowMessage("The group: '" + group + "' will be deteled. All right?", MessageStyle::QuestionOkCancel) !=
        MessageAnswer::Ok)
        return false;
    m_arrGroups.erase(std::remove_if(m_arrGroups.begin(), m_arrGroups.end(),
                                     [&group](const std::string& name) { return TextEqual(name, group); }),
                      m_arrGroups.end());
    m_arrItems.erase(std::remove_if(m_arrItems.begin(), m_arrItems.end(),
                                    [&group](const BookmarkItem& item) { return TextEqual(item.m_strGroup, group); }),
                     m_arrItems.end());
    m_arrGroups.shrink_to_fit();
    m_arrItems.shrink_to_fit();
    Commit(nullptr);
    return true;
}

void CBookmarkDoc::AddItem(const BookmarkItem& item)
{
    m_arrItems.push_back(item);
}

BookmarkItem* CBookmarkDoc::SelectedItem()
{
    return const_cast<BookmarkItem*>(static_cast<const CBookmarkDoc*>(this)->SelectedItem());
}

const BookmarkItem* CBookmarkDoc::SelectedItem() const
{
    const int32_t index = m_selection.itemIndex;
    if (index < 0 || static_cast<size_t>(index) >= m_arrItems.size())
        return nullptr;
    return &m_arrItems[static_cast<size_t>(index)];
}

bool CBookmarkDoc::DeleteItem()
{
    // Checked first: a stale index must not leave an undo that brings back a
    // bookmark nobody deleted.
    if (!SelectedItem())
        return false;
    // "deteled", as above.
    if (Prompt().ShowMessage("The item: '" + m_selection.itemName + "' will be deteled. All right?",
                             MessageStyle::QuestionOkCancel) != MessageAnswer::Ok)
        return false;
    m_clipboard.PutText(m_selection.itemName + "\n" + m_selection.itemURL + "\n" + m_selection.itemDescription);
    m_marks.undoURL = m_selection.itemURL;
    m_marks.undoGroup = m_selection.currentGroup;
    const size_t index = static_cast<size_t>(m_selection.itemIndex);
    m_arrItems.erase(m_arrItems.begin() + m_selection.itemIndex);
    ClearSelectedItem();
    Commit(m_groupPane, ItemsHint({index}, {}, 0));
    return true;
}

size_t CBookmarkDoc::DeleteItems(const std::vector<size_t>& indices)
{
    std::vector<bool> doomed(m_arrItems.size());
    for (const size_t index : indices) {
        if (index < doomed.size())
            doomed[index] = true;
    }
    std::vector<size_t> removed;
    size_t kept = 0;
    for (size_t i = 0; i < m_arrItems.size(); ++i) {
        if (doomed[i]) {
            removed.push_back(i);
            continue;
        }
        if (kept != i)
            m_arrItems[kept] = std::move(m_arrItems[i]);
        ++kept;
    }
    if (removed.empty())
        return 0;
    m_arrItems.resize(kept);
    // The selected index may now name another bookmark, or none.
    ClearSelectedItem();
    const size_t count = removed.size();
    Commit(nullptr, ItemsHint(std::move(removed), {}, 0));
    return count;
}

std::string CBookmarkDoc::MoveItems(const std::vector<size_t>& indices, const std::string& group)
{
    const auto existing = std::find_if(m_arrGroups.begin(), m_arrGroups.end(),
                                       [&group](const std::string& name) { return TextEqual(name, group); });
    const std::string stored = existing != m_arrGroups.end() ? *existing : group;
    bool moved = false;
    for (const size_t index : indices) {
        if (index < m_arrItems.size() && m_arrItems[index].m_strGroup != stored) {
            m_arrItems[index].m_strGroup = stored;
            moved = true;
        }
    }
    if (!moved)
        return stored;
    if (existing == m_arrGroups.end())
        m_arrGroups.push_back(stored);
    ClearSelectedItem();
    Commit(nullptr);
    return stored;
}

void CBookmarkDoc::ChangeURLs(const std::vector<std::pair<size_t, std::string>>& changes)
{
    bool changed = false;
    for (const auto& change : changes) {
        if (change.first < m_arrItems.size()) {
            m_arrItems[change.first].m_strURL = change.second;
            changed = true;
        }
    }
    if (!changed)
        return;
    ClearSelectedItem();
    Commit(nullptr);
}

size_t CBookmarkDoc::FindItem(const std::string& group, const std::string& name, const std::string& url,
                              size_t hint) const
{
    const auto matches = [&](const BookmarkItem& item) {
        return item.m_strName == name && item.m_strURL == url && TextEqual(item.m_strGroup, group);
    };
    if (hint < m_arrItems.size() && matches(m_arrItems[hint]))
        return hint;
    const auto found = std::find_if(m_arrItems.begin(), m_arrItems.end(), matches);
    return found == m_arrItems.end() ? std::string::npos : static_cast<size_t>(found - m_arrItems.begin());
}

void CBookmarkDoc::RenameItem(const std::string& newText)
{
    BookmarkItem* item = SelectedItem();
    if (item == nullptr) {
        Commit(m_groupPane);
        return;
    }
    item->m_strName = newText;
    Commit(m_groupPane, ItemsHint({}, {static_cast<size_t>(m_selection.itemIndex)}, 0));
}

void CBookmarkDoc::RemoveItemsByURL(const std::string& url, const std::string& group)
{
    m_arrItems.erase(std::remove_if(m_arrItems.begin(), m_arrItems.end(),
                                    [&](const BookmarkItem& item) {
                                        return TextEqual(item.m_strURL, url) && TextEqual(item.m_strGroup, group);
                                    }),
                     m_arrItems.end());
}

std::vector<size_t> CBookmarkDoc::RemoveFirstItemLike(const std::string& group, const BookmarkItem& like)
{
    const auto found = std::find_if(m_arrItems.begin(), m_arrItems.end(), [&](const BookmarkItem& item) {
        return TextEqual(item.m_strGroup, group) && item.m_strName == like.m_strName && item.m_strURL == like.m_strURL &&
               item.m_strDescription == like.m_strDescription;
    });
    if (found == m_arrItems.end())
        return {};
    const size_t index = static_cast<size_t>(found - m_arrItems.begin());
    m_arrItems.erase(found);
    ClearSelectedItem();
    return {index};
}

bool CBookmarkDoc::FindURL(const std::string& url) const
{
    return std::any_of(m_arrItems.begin(), m_arrItems.end(),
                       [&url](const BookmarkItem& item) { return TextEqual(item.m_strURL, url); });
}

std::vector<size_t> CBookmarkDoc::ItemsOfGroup(const std::string& group) const
{
    std::vector<size_t> indices;
    for (size_t i = 0; i < m_arrItems.size(); ++i) {
        if (TextEqual(m_arrItems[i].m_strGroup, group))
            indices.push_back(i);
    }
    return indices;
}

std::string CBookmarkDoc::FirstGroupInPaneOrder() const
{
    const std::string* first = nullptr;
    for (const std::string& name : m_arrGroups) {
        if (!first || CompareNoCase(name, *first) < 0)
            first = &name;
    }
    return first ? *first : std::string();
}

void CBookmarkDoc::Clear()
{
    m_arrGroups.clear();
    m_arrItems.clear();
}

void CBookmarkDoc::DeleteContents()
{
    Clear();
    m_arrGroups.shrink_to_fit();
    m_arrItems.shrink_to_fit();
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
    ReadDataFile(file, *this);
}

void CBookmarkDoc::Store(const std::string& path)
{
    WriteDataFile(path, *this);
}

void CBookmarkDoc::OnOpened()
{
    m_selection.currentGroup = FirstGroupInPaneOrder();
}
