// Reading and driving the panes' list-view controls as a user would.
#pragma once

#include "store/CBookmarkDoc.h"

#include <windows.h>

#include <string>
#include <vector>

// Reading and driving the panes' list-view controls as a user would.
std::vector<std::string> RowTexts(HWND list, int column = 0);
std::vector<LPARAM> RowIndices(HWND list);
int SelectedRow(HWND list);
// Selects and focuses the row, as a click does.
void ClickRow(HWND list, int row);
// Opens the label edit of `row`, types `text` and presses Enter, or Escape
// when `cancel`; an empty row opens the edit the pane chooses (F2).
void EditLabel(HWND list, int row, const std::string& text, bool cancel = false);
// F2 on the focused list, as the user presses it; the edit it opened, if any.
HWND OpenLabelEditByKey(HWND list);
// `letter` typed at the end of an open label edit, then Enter.
void AppendAndConfirm(HWND edit, char letter);
// Escape in the open label edit.
void CancelLabelEdit(HWND list);
// As EditLabel, but the end of the edit is the notification Windows sends
// with `text`: Wine's control reports an empty edit as cancelled and skips
// one whose text did not change.
void EditLabelAsWindows(HWND list, int row, const std::string& text);
// The column-header click notification, as the header sends it.
void ClickHeader(HWND list, int column);
BookmarkItem Bookmark(const std::string& name, const std::string& url, const std::string& group,
                      const std::string& description = "");
// Replaces the document's content and rebuilds the panes.
void Fill(CBookmarkDoc& document, const std::vector<std::string>& groups, const std::vector<BookmarkItem>& items,
          const std::string& currentGroup);

// What a context menu would have shown, recorded instead of tracking it.
struct TrackedMenu {
    bool shown = false;
    POINT at = {0, 0};
    std::vector<UINT> ids;
    UINT defaultId = static_cast<UINT>(-1);
    UINT radioMarked = 0;
};
void RecordMenu(HMENU popup, POINT at, TrackedMenu& menu);
