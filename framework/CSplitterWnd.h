#pragma once

#include <windows.h>

class CView;

// A static splitter of one row and two columns; the user drags the bar
// between them. Column 1 takes whatever column 0 leaves.
class CSplitterWnd {
public:
    bool CreateStatic(HWND parent, UINT id);
    bool CreateView(int column, CView* view, int width);
    HWND GetSafeHwnd() const { return m_hWnd; }
    CView* GetPane(int column) const { return m_panes[column]; }
    void SetColumnWidth(int width);
    // The width column 0 last had while the splitter was not collapsed to
    // nothing (a minimised or hidden window lays out to zero).
    int LastShownWidth() const { return m_lastShownWidth; }
    void MoveWindow(const RECT& rect);

    static const int kBarWidth = 6;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RecalcLayout();

    HWND m_hWnd = nullptr;
    CView* m_panes[2] = {nullptr, nullptr};
    int m_width0 = 150;
    int m_lastShownWidth = 150;
    bool m_dragging = false;
};
