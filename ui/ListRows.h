#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CBookmarkDoc;

// The block handed to the control's sort. Each row's item data is the
// store index of what it shows, so the sort reads the store's own texts
// instead of searching the rows for every comparison.
struct SortInfo {
    const CBookmarkDoc* document = nullptr;
    bool groupRows = false;  // rows name groups rather than bookmarks
    int column = 0;          // bookmarks: 0 name, 1 URL, 2 description
    bool ascending = true;
};

// The store text the row with item data `data` shows in the sort's column;
// empty when the index names nothing.
const std::string& RowStoreText(const SortInfo& sort, LPARAM data);

// Ascending (or descending) by the column's text, letter case ignored;
// equal texts keep store order whichever the direction.
int CALLBACK CompareRows(LPARAM data1, LPARAM data2, LPARAM info);

int RowCount(HWND list);
// The store index a pane's row shows; -1 when none (or not a pane).
LPARAM RowData(HWND list, int row);
// The pane's row showing store index `data`; -1 when none.
int FindRowByData(HWND list, LPARAM data);
// The widest of `texts` in the control's font, plus 32 pixels.
int WidestTextWidth(HWND list, const std::vector<const std::string*>& texts);
// The text a label-edit-ended notification carries; false when cancelled.
bool EditedLabelText(const NMHDR* header, std::string& text);
// The point of a context-menu message: from the keyboard, the client
// area's top-left corner moved by 5,5.
POINT ContextMenuPoint(HWND list, LPARAM lParam);
