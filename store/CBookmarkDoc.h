// The bookmark document: the collection, the current selection and their operations.
#pragma once

#include "store/BookmarkItem.h"
#include "store/CDocument.h"
#include "store/ChangeJournal.h"
#include "store/CollectionMerge.h"
#include "store/CurrentSelection.h"
#include "store/DataFile.h"
#include "store/FileIO.h"

#include <string>
#include <utility>
#include <vector>

class IClipboard;

// Walks `names` once in order, appending " *" each time an entry equals the
// candidate as it stands at that moment.
std::string MakeUniqueName(std::string candidate, const std::vector<std::string>& names);

// The one document: every group name and every bookmark of all groups. They
// change only through its operations, each of which sets the modified flag,
// tells the views once what changed and leaves a record in the journal.
//
// It remembers its file as it last read or wrote it (the file's stamp and
// bytes), so that it notices another program's writes: a save to that file
// merges what was written there since (three ways, the remembered version
// the base) before it replaces it, and an unmodified document can take the
// new version in place.
class CBookmarkDoc : public CDocument {
public:
    CBookmarkDoc(CurrentSelection& selection, ClipboardMarks& marks, IPrompt& prompt, IClipboard& clipboard);

    // Which registered views are the panes, so that Commit can spare the
    // one that sent the change. Either may be null.
    void SetPanes(IView* groupPane, IView* itemPane);
    IView* GroupPane() const { return m_groupPane; }
    IView* ItemPane() const { return m_itemPane; }

    const StoreContent& Content() const { return m_content; }
    const std::vector<std::string>& Groups() const { return m_content.m_arrGroups; }
    const std::vector<BookmarkItem>& Items() const { return m_content.m_arrItems; }

    const CurrentSelection& Selection() const { return m_selection; }
    ClipboardMarks& Marks() { return m_marks; }
    IClipboard& Clipboard() { return m_clipboard; }

    // Puts `content` in place as a load does, before the views rebuild: the
    // journal starts again; neither the views nor the modified flag hear of it.
    void LoadContent(StoreContent content);
    // A data file's collection in place of the current one, `group` current
    // (without one, the first in the group pane's order): modified, and the
    // views rebuild.
    void ImportCollection(StoreContent content, const std::string* group = nullptr);

    // Makes `group` current (the views but `sender` follow).
    void SetCurrentGroup(const std::string& group, IView* sender = nullptr);
    // The bookmark at `index`, with its texts, becomes current; the view that
    // selected it shows it already. An index naming none clears the selection.
    void SelectItem(size_t index);
    // The store is as it was, but what the views show of the marks (a cut)
    // changed; a cut counts as a change of the document.
    void ShowMarks(bool modified);
    // A creation's cancelled sheet: the current bookmark's name and URL as
    // `texts` has them (when given), and the views but the group pane redrawn.
    void RestoreSelectionTexts(const BookmarkItem* texts);

    // The change record of every operation since the collection was put in
    // place; UndoLast takes back the newest, RedoLast does again what was
    // taken back last. False when there is nothing to take back or redo.
    const ChangeJournal& Journal() const { return m_journal; }
    bool UndoLast() { return UndoChanges(1) == 1; }
    bool RedoLast() { return RedoChanges(1) == 1; }
    // Takes back the `count` newest changes, newest first (or does again the
    // `count` taken back last), in one update of the views; returns how many.
    size_t UndoChanges(size_t count);
    size_t RedoChanges(size_t count);
    // Forgets every record: nothing can be taken back or done again.
    void ClearJournal() { m_journal.Clear(); }

    // Whether another program changed the file since the document read or
    // wrote it; an unmodified document then reads it again in its place
    // (Reloaded): not modified, the history started again, the current group
    // and the selected bookmark (by group, name and URL) kept where they
    // still are. A file that cannot be read now (gone, or half written) is
    // looked at again next time. A modified document waits for its save.
    enum class DiskCheck { Unchanged, Reloaded, Unreadable };
    DiskCheck ReloadIfChanged();
    // Puts a merge's collection in place as one change, named by the merge's
    // summary; false when it brought nothing.
    bool TakeMerge(MergeOutcome outcome);

    // Returns the new group's name, which is now current.
    std::string AddGroup();
    void RenameGroup(const std::string& newText);
    // False when the user did not confirm.
    bool DeleteGroup();
    // Appends `groups` and `items` in one change; with `current` given, that
    // group becomes current. Without groups the views patch the new rows. An
    // import names itself so in the history.
    void AddItems(std::vector<BookmarkItem> items, std::vector<std::string> groups = {}, IView* sender = nullptr,
                  const std::string* current = nullptr, bool imported = false);
    // Adds `item` as the current bookmark, the views but the group pane
    // patching their rows with it selected.
    void CreateItem(BookmarkItem item);
    // Adds `item` and, in the same change, removes the first bookmark of
    // `like.m_strGroup` (store comparison) whose name, URL and description
    // equal `like`'s byte for byte, when there is one: a cut bookmark pasted.
    void AddItemMoving(BookmarkItem item, const BookmarkItem* like);
    // Gives the item at `index` the name, URL and description of `fields`
    // (its group stays); the selection follows when it is current.
    void ChangeItem(size_t index, const BookmarkItem& fields);
    // False when the selected index names no item (nothing is asked) or the
    // user did not confirm.
    bool DeleteItem();
    void RenameItem(const std::string& newText);
    // Removes the items at `indices` (any order; repeats and indices past the
    // end count once or not at all) in one pass and one Commit, without
    // asking; no item is selected afterwards. Returns how many went; none
    // leaves the document untouched.
    size_t DeleteItems(const std::vector<size_t>& indices, IView* sender = nullptr);
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
    bool FindURL(const std::string& url) const;
    // Indices into m_arrItems of the group's items, in store order.
    std::vector<size_t> ItemsOfGroup(const std::string& group) const;
    // The first group in the group pane's order; empty when there is none.
    std::string FirstGroupInPaneOrder() const;
    // Removes every bookmark of `group` whose URL is `url` (letter case
    // ignored in both).
    void RemoveItemsByURL(const std::string& url, const std::string& group);
    // No groups and no bookmarks, as LoadContent leaves them.
    void Clear();

    // The item at itemIndex, or null when the index names none.
    const BookmarkItem* SelectedItem() const;
    // No bookmark is current: after a removal the index would name another.
    void ClearSelectedItem();

protected:
    void DeleteContents() override;
    void Load(InputFile& file) override;
    void Store(const std::string& path) override;
    void OnOpened() override;
    // Tells what the save merged from the other side, if anything.
    void OnSaved() override;

private:
    // Sets the modified flag and rebuilds every view but `sender`, or lets
    // them patch what `hint` names.
    void Commit(IView* sender, const UpdateHint& hint = UpdateHint());
    // Applies `record`, journals it and commits.
    void Perform(ChangeRecord record, IView* sender, const UpdateHint& hint);
    // Journals `record`, just done, with its words and time.
    void JournalRecord(ChangeRecord record);
    // `content`, read from the file, in place of the collection (see
    // ReloadIfChanged).
    void PutReloaded(StoreContent content);
    // The selected bookmark found again by its group, name and URL after a
    // change that may have moved it; none when it is gone.
    void FindSelectedAgain();

    // The file as last read or written: which one, its stamp and its bytes
    // (kept encoded, a fraction of a second collection's memory). No path
    // when the document knows no file of its own.
    struct DiskCopy {
        std::string path;
        FileStamp stamp;
        std::string bytes;
    };

    StoreContent m_content;
    DiskCopy m_disk;
    // What the last save merged from the other side, for OnSaved to tell.
    std::string m_saveMerge;
    ChangeJournal m_journal;
    CurrentSelection& m_selection;
    ClipboardMarks& m_marks;
    IClipboard& m_clipboard;
    IView* m_groupPane = nullptr;
    IView* m_itemPane = nullptr;
};
