// The list-view pane both panes build on.
#pragma once

#include "framework/CView.h"

#include <commctrl.h>

#include <initializer_list>
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
// The widest of `texts` in the control's font, plus 32 pixels at 96 DPI.
int WidestTextWidth(HWND list, const std::vector<const std::string*>& texts);
// A list's selected row, the focused one first (answered at once, where
// looking for any selected row walks the rows before it); -1 when none.
int FirstSelectedRow(HWND list);
// Clears a list's selection and focus. The rows known to hold them go one by
// one: a control of many rows (Wine's at least) answers "deselect all" by
// visiting every row, and does so again before it selects one more.
void ClearSelection(HWND list);
// A report view's column: its title's string and its width.
struct ListColumn {
    UINT title;
    int width;
};
// Adds the columns, left-aligned, in order; widths are for 96 DPI.
void InsertListColumns(HWND list, std::initializer_list<ListColumn> columns);
// Widens or narrows the columns alike until together they fill the list's
// width, room kept for a vertical scroll bar.
void FitListColumns(HWND list);
// A window's text, whole however long.
std::string WholeWindowText(HWND window);
// The text a label-edit-ended notification carries; false when cancelled.
bool EditedLabelText(const NMHDR* header, std::string& text);
// The row and column a display-info notification (LVN_GETDISPINFOA or W)
// asks about.
struct DisplayCell {
    int row;
    int column;
};
DisplayCell DisplayInfoCell(const NMHDR* header);
// Puts `text` where a display-info notification (LVN_GETDISPINFOA or W)
// asks for a row's text, cut to its buffer.
void SetDisplayText(NMHDR* header, const std::string& text);
// The point of a context-menu message: from the keyboard, the client
// area's top-left corner moved by 5,5.
POINT ContextMenuPoint(HWND list, LPARAM lParam);

// What the group and item panes share: colours, font, the context-menu
// request, F2, the in-place label edit, sorting and quiet refills.
class ListPane : public CView {
public:
    explicit ListPane(CBookmarkDoc& document);
    ~ListPane() override;

    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnDpiChanged(UINT oldDpi, UINT newDpi) override;
    const SortInfo& Sorting() const { return m_sortInfo; }

    // The store index row `row` shows (its item data); -1 when none.
    virtual LPARAM RowStoreIndex(int row) const;
    // The row showing store index `index`; -1 when none.
    virtual int RowOfStoreIndex(LPARAM index) const;
    // Switches the control to another view (LVS_ICON ... LVS_REPORT), its
    // rows placed before it is drawn.
    void SetView(DWORD view);

protected:
    bool OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The pane's own notifications, after the label edit is taken care of.
    virtual bool OnPaneNotify(NMHDR* header, LRESULT& result) = 0;
    // WM_CONTEXTMENU, from the mouse or the keyboard.
    virtual void OnContextMenu(LPARAM lParam) = 0;
    virtual void OnRenameKey() = 0;
    // The label edit ended with `text`; the control's own change is refused
    // and the refilled row shows the stored name.
    virtual void OnLabelEdited(const std::string& text) = 0;
    // The whole stored text of the label being edited: the control's own
    // copy of a row's text stops at 260 characters.
    virtual std::string StoredLabelText() const = 0;
    // A label edit cancelled or ended unchanged.
    virtual void OnLabelEditCancelled() {}

    // Rows come and go between these; their notifications mean nothing.
    void BeginRefill();
    void EndRefill();
    bool IsRefilling() const { return m_refilling; }
    // Sorts the rows by the sort block as it stands.
    void SortBySortInfo();
    // Shows a context menu owned by the frame at the message's point.
    void TrackContextMenu(HMENU popup, LPARAM lParam);
    // The pane's icons drawn for `dpi`, through SetImageList.
    virtual void LoadImages(UINT dpi) = 0;
    // Gives the control (LVSIL_SMALL or LVSIL_NORMAL) a list of the icons
    // `iconIds`, each `size` pixels square, in place of the one it had.
    void SetImageList(int which, std::initializer_list<int> iconIds, int size);

    CBookmarkDoc& m_store;
    SortInfo m_sortInfo;

private:
    // The control's own handling of a size change, its rows placed before
    // it is drawn.
    LRESULT OnSizeChanged(UINT message, WPARAM wParam, LPARAM lParam);
    // The icon views' rows placed where the control's size puts them, with
    // its redraw off; on again, it draws once.
    void PlaceIconsQuietly();

    HFONT m_font = nullptr;
    bool m_refilling = false;
    // The open label edit, whose text is read whole when it ends.
    HWND m_labelEdit = nullptr;
};

// The background-erase handler of both panes: gives the control the colours
// in effect (system, custom or scheme) before it erases.
void PaneColours(HWND list);
