// A splitter of two panes side by side.
#include "framework/CSplitterWnd.h"

#include "framework/CView.h"
#include "framework/ResourceString.h"
#include "framework/StandardIds.h"

#include <windowsx.h>


bool CSplitterWnd::CreateStatic(HWND parent, UINT id)
{
    const std::string splitterClass = AppWindowClass("Splitter");
    if (!RegisterWindowClass(splitterClass.c_str(), nullptr, LoadCursor(nullptr, IDC_SIZEWE),
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    const RECT rect = {0, 0, 0, 0};
    m_dpi = WindowDpi(parent);
    return CreateEx(0, splitterClass.c_str(), "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CSplitterWnd::CreateView(int column, CView* view, int width)
{
    m_panes[column] = view;
    if (column == 0) {
        m_width0 = width;
        m_lastShownWidth = width;
    }
    const bool created = view->Create(m_hWnd, IDW_FIRST_PANE + column, width, 0);
    RecalcLayout();
    return created;
}

void CSplitterWnd::SetColumnWidth(int width)
{
    m_width0 = width < 0 ? 0 : width;
    RecalcLayout();
}

void CSplitterWnd::SetDpi(UINT dpi)
{
    m_width0 = RescaleDpi(m_width0, m_dpi, dpi);
    m_lastShownWidth = RescaleDpi(m_lastShownWidth, m_dpi, dpi);
    m_dpi = dpi;
    RecalcLayout();
}

int CSplitterWnd::BarWidth() const
{
    return ScaleForDpi(kBarWidth, m_dpi);
}

void CSplitterWnd::MoveWindow(const RECT& rect)
{
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CSplitterWnd::RecalcLayout()
{
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    const int bar = BarWidth();
    const int width0 = m_width0 < client.right - bar ? m_width0 : client.right - bar;
    const int left0 = width0 > 0 ? width0 : 0;
    if (m_panes[0] != nullptr && m_panes[0]->GetSafeHwnd() != nullptr)
        ::MoveWindow(m_panes[0]->GetSafeHwnd(), 0, 0, left0, client.bottom, TRUE);
    if (m_panes[1] != nullptr && m_panes[1]->GetSafeHwnd() != nullptr) {
        const int left1 = left0 + bar;
        ::MoveWindow(m_panes[1]->GetSafeHwnd(), left1, 0, client.right > left1 ? client.right - left1 : 0,
                     client.bottom, TRUE);
    }
    if (left0 > 0)
        m_lastShownWidth = left0;
}

LRESULT CSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_LBUTTONDOWN:
        m_dragging = true;
        SetCapture(m_hWnd);
        return 0;
    case WM_MOUSEMOVE:
        if (m_dragging)
            SetColumnWidth(GET_X_LPARAM(lParam) - BarWidth() / 2);
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_dragging) {
            m_dragging = false;
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
        }
        return 0;
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (CView* view = CView::FromHandle(header->hwndFrom)) {
            if (view->OnNotify(header, result))
                return result;
        }
        // Whatever the panes leave (tooltips, custom draw) the frame may want.
        return SendMessageA(GetParent(m_hWnd), message, wParam, lParam);
    }
    case WM_CONTEXTMENU:
        return 0;
    }
    return Default(message, wParam, lParam);
}
