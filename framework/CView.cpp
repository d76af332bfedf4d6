#include "framework/CView.h"

#include "framework/CFrameWnd.h"

#include <commctrl.h>

namespace {
const char kViewProperty[] = "LinkhiveView";
}

CView::~CView()
{
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        RemovePropA(m_hWnd, kViewProperty);
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_controlProc));
    }
}

bool CView::Create(HWND parent, UINT id, int width, int height)
{
    const DWORD style = PreCreateStyle(WS_CHILD | WS_VISIBLE | WS_BORDER);
    m_hWnd = CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (m_hWnd == nullptr)
        return false;
    SetPropA(m_hWnd, kViewProperty, this);
    m_controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CView::SubclassProc)));
    m_document.AddView(this);
    return OnCreate();
}

CView* CView::FromHandle(HWND hwnd)
{
    return hwnd == nullptr ? nullptr : static_cast<CView*>(GetPropA(hwnd, kViewProperty));
}

LRESULT CView::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(m_controlProc, m_hWnd, message, wParam, lParam);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS) {
        if (CFrameWnd* frame = CFrameWnd::FromHandle(GetAncestor(m_hWnd, GA_ROOT)))
            frame->SetActiveView(this, false);
    }
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK CView::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CView* view = FromHandle(hwnd);
    if (view == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC controlProc = view->m_controlProc;
        RemovePropA(hwnd, kViewProperty);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
        view->GetDocument().RemoveView(view);
        view->m_hWnd = nullptr;
        return CallWindowProcA(controlProc, hwnd, message, wParam, lParam);
    }
    return view->WindowProc(message, wParam, lParam);
}
