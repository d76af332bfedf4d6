// A splitter of two panes side by side.
#pragma once

#include "framework/CWnd.h"
#include "framework/Dpi.h"

class CView;

// A static splitter of one row and two columns; the user drags the bar
// between them. Column 1 takes whatever column 0 leaves.
class CSplitterWnd : public CWnd {
public:
    bool CreateStatic(HWND parent, UINT id);
    bool CreateView(int column, CView* view, int width);
    CView* GetPane(int column) const { return m_panes[column]; }
    void SetColumnWidth(int width);
    // The width column 0 last had while the splitter was not collapsed to
    // nothing (a minimised or hidden window lays out to zero).
    int LastShownWidth() const { return m_lastShownWidth; }
    void MoveWindow(const RECT& rect);
    // The column's width and the bar follow the window to another DPI.
    void SetDpi(UINT dpi);
    int BarWidth() const;

    // The bar's width at 96 DPI.
    static const int kBarWidth = 6;

private:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RecalcLayout();

    CView* m_panes[2] = {nullptr, nullptr};
    int m_width0 = 150;
    int m_lastShownWidth = 150;
    bool m_dragging = false;
    UINT m_dpi = kDefaultDpi;
};
