#include "framework/CView.h"

#include "framework/CFrameWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

// The live panes. Every message to a pane looks its view up, and a window
// property costs a round trip to the Wine server each time; a list of two
// does not.
std::vector<CView*>& LiveViews()
{
    static std::vector<CView*> views;
    return views;
}

void Forget(CView* view)
{
    std::vector<CView*>& views = LiveViews();
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

} // namespace

CView::~CView()
{
    Forget(this);
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
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
    LiveViews().push_back(this);
    m_controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CView::SubclassProc)));
    m_document.AddView(this);
    return OnCreate();
}

CView* CView::FromHandle(HWND hwnd)
{
    if (hwnd == nullptr)
        return nullptr;
    for (CView* view : LiveViews()) {
        if (view->m_hWnd == hwnd)
            return view;
    }
    return nullptr;
}

bool CView::IsEditingLabel() const
{
    return m_hWnd != nullptr && SendMessageA(m_hWnd, LVM_GETEDITCONTROL, 0, 0) != 0;
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
        Forget(view);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
        view->GetDocument().RemoveView(view);
        view->m_hWnd = nullptr;
        return CallWindowProcA(controlProc, hwnd, message, wParam, lParam);
    }
    return view->WindowProc(message, wParam, lParam);
}
