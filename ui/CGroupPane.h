#pragma once

#include "framework/CView.h"
#include "ui/ListRows.h"

#include <commctrl.h>

class CBookmarkDoc;

// The group pane: the left list of group names, sorted, with the current
// group selected; renames happen in its in-place label edit.
class CGroupPane : public CView {
public:
    explicit CGroupPane(CBookmarkDoc& document);
    ~CGroupPane() override;

    void OnUpdate() override { RefillGroups(); }
    bool OnNotify(NMHDR* header, LRESULT& result) override;

    void RefillGroups();
    void SortRows();
    // The widest text of the column plus 32 pixels.
    int AutoColumnWidth(int column) const;
    // The selected row's group becomes current and the item pane shows it.
    void SelectCurrentGroup();
    // Focus, then the label edit of the row showing the current group.
    void BeginRename();
    // The row whose group is the current group; -1 when none shows it.
    int CurrentGroupRow() const;

protected:
    DWORD PreCreateStyle(DWORD style) override;
    bool OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnEndLabelEdit(NMHDR* header);
    void OnContextMenu(LPARAM lParam);

    CBookmarkDoc& m_store;
    SortInfo m_sortInfo;
    HIMAGELIST m_imageList = nullptr;
    HFONT m_font = nullptr;
    // Rows come and go during a refill; their notifications mean nothing.
    bool m_refilling = false;
};

// Set once, by the first group pane made.
extern CGroupPane* theGroupPane;

// The background-erase handler of both panes: gives the control the colours
// in effect (system, custom or scheme) before it erases.
void PaneColours(HWND list);
// The system's icon-title font in the default character set, as both panes
// and the About box show their texts.
HFONT CreateIconTitleFont();
