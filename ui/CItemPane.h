// The item pane: the current group's bookmarks.
#pragma once

#include "store/BookmarkItem.h"
#include "ui/ListPane.h"

#include <vector>

// The item pane: the bookmarks of the current group in one of four views.
// The control holds no rows of its own (owner data): it asks for what it
// shows, so a group of a million bookmarks fills as fast as one of ten.
class CItemPane : public ListPane {
public:
    explicit CItemPane(CBookmarkDoc& document);
    ~CItemPane() override;

    // A change of a few bookmarks patches the rows, keeping their order and
    // the selected row; anything else refills.
    void OnUpdate(const UpdateHint& hint) override;

    void RefillItems();
    // Sorts the rows ascending by a column's text, letter case ignored.
    void SortRows(int column);
    // The widest text of the column plus 32 pixels.
    int AutoColumnWidth(int column) const;
    // The selected, focused row's bookmark becomes the current item.
    void SelectCurrentItem();
    // The label edit of the row showing the current item; nothing when no
    // row shows it.
    void BeginRename(bool focus = true);

    // Selects and shows the row of the bookmark at store index `index`;
    // false when no row shows it.
    bool SelectBookmark(size_t index);
    // The selected row; -1 when none.
    int SelectedRow() const;
    // The bookmark row `row` shows, whole from the store (a row's own text
    // may be cut short); null when the row shows none.
    const BookmarkItem* BookmarkOfRow(int row) const;

    LPARAM RowStoreIndex(int row) const override;
    int RowOfStoreIndex(LPARAM index) const override;

protected:
    DWORD PreCreateStyle(DWORD style) override;
    bool OnCreate() override;
    void OnNcDestroyed() override;
    void LoadImages(UINT dpi) override;
    bool OnPaneNotify(NMHDR* header, LRESULT& result) override;
    void OnContextMenu(LPARAM lParam) override;
    void OnRenameKey() override { BeginRename(false); }
    void OnLabelEdited(const std::string& text) override;
    std::string StoredLabelText() const override;

private:
    // Removes, moves and adds the rows the hint names; false when a refill
    // is the quicker way.
    bool PatchRows(const UpdateHint& hint);
    // Sets the control's row count to the rows' (LVSICF_... `flags`).
    void SetRowCount(LPARAM flags);
    // Columns too narrow for the texts of these bookmarks grow.
    void WidenColumnsFor(const std::vector<size_t>& indices);
    // Orders the rows by the sort block.
    void SortStoreIndices();
    // Sorts the rows by the sort block and shows them again.
    void SortShownRows();
    void OnGetDisplayText(NMHDR* header);
    int OnFindItem(const NMHDR* header) const;
    // The row whose name begins with (or, not `prefix`, equals) `typed`,
    // ASCII letter case ignored; -1 when none.
    int FindRowByName(const std::string& typed, int start, bool prefix) const;
    void OnColumnClick(int column);

    // The store index of each row, in row order.
    std::vector<size_t> m_rows;
};

// The item pane while one exists: set by the first one made, cleared when
// it is destroyed.
extern CItemPane* theItemPane;
