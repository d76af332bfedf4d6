// A pane of the splitter showing the document.
#include "framework/CView.h"

#include "framework/CFrameWnd.h"

#include <commctrl.h>

CView::~CView() = default;

bool CView::Create(HWND parent, UINT id, int width, int height)
{
    const DWORD style = PreCreateStyle(WS_CHILD | WS_VISIBLE | WS_BORDER);
    const HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, width, height, parent,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr),
                                      nullptr);
    if (!SubclassWindow(list))
        return false;
    m_registration.Begin(m_document, this);
    return OnCreate();
}

CView* CView::FromHandle(HWND hwnd)
{
    return dynamic_cast<CView*>(FromHandlePermanent(hwnd));
}

bool CView::IsEditingLabel() const
{
    return m_hWnd != nullptr && SendMessageA(m_hWnd, LVM_GETEDITCONTROL, 0, 0) != 0;
}

void CView::EndLabelEdit()
{
    const HWND edit = m_hWnd != nullptr ? reinterpret_cast<HWND>(SendMessageA(m_hWnd, LVM_GETEDITCONTROL, 0, 0)) : nullptr;
    if (edit == nullptr)
        return;
    // Return in the edit commits it; where the control ignores that, taking
    // the focus away commits it as a click elsewhere does.
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    if (IsEditingLabel())
        SetFocus(m_hWnd);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS) {
        if (CFrameWnd* frame = CFrameWnd::FromHandle(GetAncestor(m_hWnd, GA_ROOT)))
            frame->SetActiveView(this, false);
    }
    return Default(message, wParam, lParam);
}

void CView::OnNcDestroyed()
{
    m_registration.End();
}
