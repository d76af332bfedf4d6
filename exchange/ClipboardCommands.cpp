// Cut, copy, paste and undo of bookmarks through the clipboard.
#include "exchange/ClipboardCommands.h"

#include "store/CBookmarkDoc.h"
#include "store/CoreText.h"
#include "store/IClipboard.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

#include <algorithm>

namespace {

// The addresses a bookmark's clipboard text may carry, letter case ignored;
// any other second line is not the program's text.
bool IsBookmarkURL(const std::string& url)
{
    for (const char* scheme : {"http://", "https://", "ftp://", "mailto:", "file:", "news:"}) {
        if (StartsWithNoCase(url, scheme))
            return true;
    }
    return false;
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

void ClipboardCommands::AddFromClipboard(const ItemTextParts& parts, const std::string& group, const BookmarkItem* cut)
{
    BookmarkItem item;
    item.m_strName = parts.name;
    item.m_strURL = parts.url;
    item.m_strGroup = group;
    item.m_strDescription = parts.description;
    m_doc.AddItemMoving(std::move(item), cut);
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
    m_doc.Marks().cutName = selection.itemName;
    m_doc.Marks().cutDescription = selection.itemDescription;
    // The store is unchanged, but the item pane must show the cut style.
    m_doc.ShowMarks(true);
    ClearUndo();
}

void ClipboardCommands::OnEditPaste()
{
    const ItemTextParts parts = SplitItemText(m_doc.Clipboard().GetText());
    ClipboardMarks& marks = m_doc.Marks();
    // Only the cut bookmark's own text moves it; anything else pasted leaves
    // the cut pending (the marks would otherwise delete a bookmark that is
    // on no clipboard).
    const bool cutPending = !marks.cutURL.empty() || !marks.cutGroup.empty();
    const bool pastesTheCut = cutPending && parts.name == marks.cutName && parts.url == marks.cutURL &&
                              parts.description == marks.cutDescription;
    if (pastesTheCut && m_doc.Selection().currentGroup == marks.cutGroup) {
        EndCut();
        m_doc.ShowMarks(false);
        return;
    }
    if (!IsBookmarkURL(parts.url)) {
        m_doc.Prompt().ShowMessage(UserText(CoreText::WrongClipboardFormat), MessageStyle::StopOk);
        return;
    }
    // With no group at all the bookmark would be filed under a name no pane
    // shows; a drop makes a group in that case, and so does a paste.
    if (m_doc.Groups().empty())
        m_doc.AddGroup();
    // The move removes exactly the one bookmark that was cut, and ends: marks
    // left behind would later remove a bookmark added back by hand.
    BookmarkItem cut;
    if (pastesTheCut) {
        cut.m_strName = marks.cutName;
        cut.m_strURL = marks.cutURL;
        cut.m_strGroup = marks.cutGroup;
        cut.m_strDescription = marks.cutDescription;
        EndCut();
    }
    AddFromClipboard(parts, m_doc.Selection().currentGroup, pastesTheCut ? &cut : nullptr);
}

void ClipboardCommands::EndCut()
{
    ClipboardMarks& marks = m_doc.Marks();
    marks.cutURL.clear();
    marks.cutGroup.clear();
    marks.cutName.clear();
    marks.cutDescription.clear();
}

void ClipboardCommands::OnEditUndo()
{
    const ItemTextParts parts = SplitItemText(m_doc.Clipboard().GetText());
    if (!IsBookmarkURL(parts.url)) {
        m_doc.Prompt().ShowMessage(UserText(CoreText::CannotUndo), MessageStyle::StopOk);
        return;
    }
    const std::string group = m_doc.Marks().undoGroup;
    // The group may have been deleted or renamed since: the bookmark would
    // come back into a group no pane lists, so the group comes back too.
    const bool groupGone = std::none_of(m_doc.Groups().begin(), m_doc.Groups().end(),
                                        [&group](const std::string& name) { return TextEqual(name, group); });
    if (groupGone) {
        BookmarkItem item;
        item.m_strName = parts.name;
        item.m_strURL = parts.url;
        item.m_strGroup = group;
        item.m_strDescription = parts.description;
        m_doc.AddItems({std::move(item)}, {group});
        m_doc.Clipboard().Empty();
    } else {
        AddFromClipboard(parts, group);
    }
    ClearUndo();
}

bool ClipboardCommands::CanPaste()
{
    const ClipboardMarks& marks = m_doc.Marks();
    if (!marks.undoURL.empty() && !marks.undoGroup.empty())
        return false;
    const std::string text = m_doc.Clipboard().GetText();
    const size_t feed = text.find('\n');
    return IsBookmarkURL(feed == std::string::npos ? text : text.substr(feed + 1));
}

bool ClipboardCommands::CanUndo() const
{
    return !m_doc.Marks().undoURL.empty() && !m_doc.Marks().undoGroup.empty();
}
