#pragma once

#include "framework/CView.h"

#include <commctrl.h>

class CMB15Doc;
class CView;

// The block handed to the control's sort.
struct SortInfo {
    CView* pane = nullptr;
    int column = 0;
    bool ascending = true;
};

// The item pane: the bookmarks of the current group.
class CMB15View : public CView {
public:
    explicit CMB15View(CMB15Doc& document);
    ~CMB15View() override;

    void OnUpdate() override;
    // Sorts the rows ascending by a column's text, letter case ignored.
    void SortRows(int column);
    // The widest text of the column plus 32 pixels.
    int AutoColumnWidth(int column) const;

protected:
    DWORD PreCreateStyle(DWORD style) override;
    bool OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SortInfo m_sortInfo;
    HIMAGELIST m_imageListSmall = nullptr;
    HIMAGELIST m_imageListLarge = nullptr;
    HFONT m_font = nullptr;
};

// Set once, by the first item pane made.
extern CMB15View* theItemPane;

// The comparison both panes sort with: the texts of the rows whose item
// data are `data1` and `data2`, in the column of the SortInfo at `info`.
int CALLBACK CompareRows(LPARAM data1, LPARAM data2, LPARAM info);
int ListAutoColumnWidth(HWND list, int column);
