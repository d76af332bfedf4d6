#pragma once

#include "ui/ListPane.h"

#include <vector>

// The item pane: the bookmarks of the current group in one of four views.
class CItemPane : public ListPane {
public:
    explicit CItemPane(CBookmarkDoc& document);
    ~CItemPane() override;

    void OnUpdate() override { RefillItems(); }

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

protected:
    DWORD PreCreateStyle(DWORD style) override;
    bool OnCreate() override;
    void OnNcDestroyed() override;
    bool OnPaneNotify(NMHDR* header, LRESULT& result) override;
    void OnContextMenu(LPARAM lParam) override;
    void OnRenameKey() override { BeginRename(false); }
    void OnLabelEdited(const std::string& text) override;

private:
    // The widest of the column's texts of these bookmarks, plus 32 pixels.
    int ColumnWidth(int column, const std::vector<size_t>& indices) const;
    void OnGetDisplayText(NMHDR* header);
    void OnColumnClick(int column);
    void OnRightClick();
    void OnDoubleClick();
};

// The item pane while one exists: set by the first one made, cleared when
// it is destroyed.
extern CItemPane* theItemPane;
