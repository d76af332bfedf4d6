// Cut, copy, paste and undo of bookmarks through the clipboard.
#pragma once

#include <string>
#include <vector>

class CBookmarkDoc;
struct BookmarkItem;
struct CurrentSelection;

// One bookmark as clipboard text: name, URL and description, each of the
// first two ended by a line feed.
std::string ItemText(const CurrentSelection& selection);

struct ItemTextParts {
    std::string name;
    std::string url;
    std::string description;
};

// The reverse of ItemText for any text: a missing line feed leaves the name
// (or the URL) empty and the rest whole; the description is everything after
// the second line feed. Carriage returns stay where they are.
ItemTextParts SplitItemText(const std::string& text);

// The Edit menu's clipboard commands and the one-level undo of an item
// deletion, over the document's clipboard and ClipboardMarks.
class ClipboardCommands {
public:
    explicit ClipboardCommands(CBookmarkDoc& doc) : m_doc(doc) {}

    void OnEditCopy();
    void OnEditCopyUrl();
    void OnEditCut();
    void OnEditPaste();
    void OnEditUndo();

    // Copy and Copy URL need the document and a selected row, Cut only the row.
    static bool CanCopy(bool documentExists, bool rowSelected) { return documentExists && rowSelected; }
    static bool CanCut(bool rowSelected) { return rowSelected; }
    bool CanPaste();
    bool CanUndo() const;

private:
    void ClearUndo();
    void EndCut();
    // Paste's and Undo's last step: the parts as a bookmark of `group`, in
    // one change with the removal of the first bookmark like `cut` (a cut
    // moved), and the clipboard emptied.
    void AddFromClipboard(const ItemTextParts& parts, const std::string& group, const BookmarkItem* cut = nullptr);

    CBookmarkDoc& m_doc;
};
