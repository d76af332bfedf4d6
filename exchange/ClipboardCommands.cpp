#include "exchange/ClipboardCommands.h"

#include "store/CBookmarkDoc.h"
#include "store/IClipboard.h"
#include "store/Prompt.h"

namespace {

// Byte for byte: "HTTP://" is not a web address here.
bool IsWebURL(const std::string& url)
{
    return url.compare(0, 7, "http://") == 0;
}

} // namespace

std::string ItemText(const CurrentSelection& selection)
{
    return selection.itemName + "\n" + selection.itemURL + "\n" + selection.itemDescription;
}

ItemTextParts SplitItemText(const std::string& text)
{
    ItemTextParts parts;
    std::string rest = text;
    size_t feed = text.find('\n');
    if (feed != std::string::npos) {
        parts.name = text.substr(0, feed);
        rest = text.substr(feed + 1);
    }
    feed = rest.find('\n');
    if (feed != std::string::npos) {
        parts.url = rest.substr(0, feed);
        parts.description = rest.substr(feed + 1);
    } else {
        parts.description = rest;
    }
    return parts;
}

void ClipboardCommands::ClearUndo()
{
    m_doc.Marks().undoURL.clear();
    m_doc.Marks().undoGroup.clear();
}

void ClipboardCommands::AddFromClipboard(const ItemTextParts& parts, const std::string& group,
                                         std::vector<size_t> removed)
{
    BookmarkItem item;
    item.m_strName = parts.name;
    item.m_strURL = parts.url;
    item.m_strGroup = group;
    item.m_strDescription = parts.description;
    m_doc.AddItem(item);
    m_doc.Commit(m_doc.GroupPane(), ItemsHint(std::move(removed), {}, 1));
    // The text has been used: a second Paste or Undo would add it again.
    m_doc.Clipboard().Empty();
}

void ClipboardCommands::OnEditCopy()
{
    m_doc.Clipboard().PutText(ItemText(m_doc.Selection()));
    ClearUndo();
}

void ClipboardCommands::OnEditCopyUrl()
{
    m_doc.Clipboard().PutText(m_doc.Selection().itemURL);
    ClearUndo();
}

void ClipboardCommands::OnEditCut()
{
    const CurrentSelection& selection = m_doc.Selection();
    m_doc.Clipboard().PutText(ItemText(selection));
    m_doc.Marks().cutURL = selection.itemURL;
    m_doc.Marks().cutGroup = selection.currentGroup;
    // The store is unchanged, but the item pane must show the cut style.
    m_doc.Commit(m_doc.GroupPane(), ItemsHint({}, {}, 0));
    ClearUndo();
}

void ClipboardCommands::OnEditPaste()
{
    const ItemTextParts parts = SplitItemText(m_doc.Clipboard().GetText());
    ClipboardMarks& marks = m_doc.Marks();
    if (parts.url == marks.cutURL && m_doc.Selection().currentGroup == marks.cutGroup) {
        marks.cutURL.clear();
        marks.cutGroup.clear();
        m_doc.UpdateAllViews(m_doc.GroupPane(), ItemsHint({}, {}, 0));
        return;
    }
    if (!IsWebURL(parts.url)) {
        m_doc.Prompt().ShowMessage("Wrong clipboard format. Cannot paste.", MessageStyle::StopOk);
        return;
    }
    // With no group at all the bookmark would be filed under a name no pane
    // shows; a drop makes a group in that case, and so does a paste.
    if (m_doc.m_arrGroups.empty())
        m_doc.AddGroup();
    // Only a pending cut has a source to remove (empty marks would match every
    // bookmark without URL and group). The move ends here: marks left behind
    // would later remove a bookmark added back to the old group by hand.
    std::vector<size_t> moved;
    if (!marks.cutURL.empty() || !marks.cutGroup.empty()) {
        moved = m_doc.RemoveItemsByURL(marks.cutURL, marks.cutGroup);
        marks.cutURL.clear();
        marks.cutGroup.clear();
    }
    AddFromClipboard(parts, m_doc.Selection().currentGroup, std::move(moved));
}

void ClipboardCommands::OnEditUndo()
{
    const ItemTextParts parts = SplitItemText(m_doc.Clipboard().GetText());
    if (!IsWebURL(parts.url)) {
        m_doc.Prompt().ShowMessage("Cannot undo!", MessageStyle::StopOk);
        return;
    }
    AddFromClipboard(parts, m_doc.Marks().undoGroup);
    ClearUndo();
}

bool ClipboardCommands::CanPaste()
{
    const ClipboardMarks& marks = m_doc.Marks();
    if (!marks.undoURL.empty() && !marks.undoGroup.empty())
        return false;
    const std::string text = m_doc.Clipboard().GetText();
    const size_t feed = text.find('\n');
    return IsWebURL(feed == std::string::npos ? text : text.substr(feed + 1));
}

bool ClipboardCommands::CanUndo() const
{
    return !m_doc.Marks().undoURL.empty() && !m_doc.Marks().undoGroup.empty();
}
