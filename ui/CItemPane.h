#pragma once

#include "framework/CView.h"
#include "ui/ListRows.h"

#include <commctrl.h>

#include <vector>

class CBookmarkDoc;

// The item pane: the bookmarks of the current group in one of four views.
class CItemPane : public CView {
public:
    explicit CItemPane(CBookmarkDoc& document);
    ~CItemPane() override;

    void OnUpdate() override { RefillItems(); }
    bool OnNotify(NMHDR* header, LRESULT& result) override;

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
    const SortInfo& Sorting() const { return m_sortInfo; }

protected:
    DWORD PreCreateStyle(DWORD style) override;
    bool OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The widest of the column's texts of these bookmarks, plus 32 pixels.
    int ColumnWidth(int column, const std::vector<size_t>& indices) const;
    void OnGetDisplayText(NMHDR* header);
    void OnColumnClick(int column);
    void OnEndLabelEdit(NMHDR* header);
    void OnRightClick();
    void OnContextMenu(LPARAM lParam);

    CBookmarkDoc& m_store;
    int m_nCurrentRow = -1;
    SortInfo m_sortInfo;
    HIMAGELIST m_imageListSmall = nullptr;
    HIMAGELIST m_imageListLarge = nullptr;
    HFONT m_font = nullptr;
    bool m_refilling = false;
};

// Set once, by the first item pane made.
extern CItemPane* theItemPane;
