// The bookmark document: the collection, the current selection and their operations.
#pragma once

#include "store/BookmarkItem.h"
#include "store/CDocument.h"
#include "store/CurrentSelection.h"
#include "store/DataFile.h"

#include <string>
#include <utility>
#include <vector>

class IClipboard;

// Walks `names` once in order, appending " *" each time an entry equals the
// candidate as it stands at that moment.
std::string MakeUniqueName(std::string candidate, const std::vector<std::string>& names);

// The one document: every group name and every bookmark of all groups.
class CBookmarkDoc : public CDocument, public StoreContent {
public:
    CBookmarkDoc(CurrentSelection& selection, ClipboardMarks& marks, IPrompt& prompt, IClipboard& clipboard);

    // Which registered views are the panes, so that Commit can spare the
    // one that sent the change. Either may be null.
    void SetPanes(IView* groupPane, IView* itemPane);
    IView* GroupPane() const { return m_groupPane; }
    IView* ItemPane() const { return m_itemPane; }

    CurrentSelection& Selection() { return m_selection; }
    ClipboardMarks& Marks() { return m_marks; }
    IClipboard& Clipboard() { return m_clipboard; }

    // Sets the modified flag and rebuilds every view but `sender`, or lets
    // them patch what `hint` names.
    void Commit(IView* sender, const UpdateHint& hint = UpdateHint());

    // Returns the new group's name, which is now current.
    std::string AddGroup();
    void RenameGroup(const std::string& newText);
    // False when the user did not confirm.
    bool DeleteGroup();
    void AddItem(const BookmarkItem& item);
    // False when the selected index names no item (nothing is asked) or the
    // user did not confirm.
    bool DeleteItem();
    void RenameItem(const std::string& newText);
    // Removes the items at `indices` (any order; repeats and indices past the
    // end count once or not at all) in one pass and one Commit, without
    // asking; no item is selected afterwards. Returns how many went; none
    // leaves the document untouched.
    size_t DeleteItems(const std::vector<size_t>& indices);
    // Moves the items at `indices` into `group`, made when no group has
    // that name (letter case ignored), in one Commit when any moves; no item
    // is selected afterwards. Returns the group's name as stored.
    std::string MoveItems(const std::vector<size_t>& indices, const std::string& group);
    // Gives each item named by a change its new URL, in one Commit; indices
    // past the end are skipped. No item is selected afterwards.
    void ChangeURLs(const std::vector<std::pair<size_t, std::string>>& changes);
    // The index of the item of `group` (letter case ignored) with exactly
    // this name and URL, `hint` tried first; npos when there is none.
    size_t FindItem(const std::string& group, const std::string& name, const std::string& url, size_t hint) const;
    void RemoveItemsByURL(const std::string& url, const std::string& group);
    // Removes the first bookmark of `group` (store comparison) whose name, URL
    // and description equal `like`'s byte for byte; returns the index it had,
    // or nothing when none does. No current item is left: its index may have moved.
    std::vector<size_t> RemoveFirstItemLike(const std::string& group, const BookmarkItem& like);
    bool FindURL(const std::string& url) const;
    // Indices into m_arrItems of the group's items, in store order.
    std::vector<size_t> ItemsOfGroup(const std::string& group) const;
    // The first group in the group pane's order; empty when there is none.
    std::string FirstGroupInPaneOrder() const;
    void Clear();

    // The item at itemIndex, or null when the index names none.
    BookmarkItem* SelectedItem();
    const BookmarkItem* SelectedItem() const;
    // No bookmark is current: after a removal the index would name another.
    void ClearSelectedItem();

protected:
    void DeleteContents() override;
    void Load(InputFile& file) override;
    void Store(const std::string& path) override;
    void OnOpened() override;

private:
    CurrentSelection& m_selection;
    ClipboardMarks& m_marks;
    IClipboard& m_clipboard;
    IView* m_groupPane = nullptr;
    IView* m_itemPane = nullptr;
};
