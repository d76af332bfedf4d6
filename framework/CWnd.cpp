// The one window base and its window procedure.
#include "framework/CWnd.h"

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        // The window outlives us: it must not reach a destroyed object.
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        if (m_superProc != nullptr)
            SetProcedure(m_hWnd, m_superProc, m_unicode);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (hwnd == nullptr)
        return nullptr;
    auto* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return wnd != nullptr && wnd->m_hWnd == hwnd ? wnd : nullptr;
}

void CWnd::SafeDelete(CWnd* wnd)
{
    if (wnd == nullptr)
        return;
    if (wnd->m_handling == 0) {
        delete wnd;
        return;
    }
    wnd->m_deletePending = true;
    if (wnd->m_hWnd != nullptr && IsWindow(wnd->m_hWnd))
        DestroyWindow(wnd->m_hWnd);
}

bool CWnd::RegisterWindowClass(const char* className, HICON icon, HCURSOR cursor, HBRUSH background)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, className, &wc))
        return true;
    wc.lpfnWndProc = &CWnd::StaticWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect,
                    HWND parent, HMENU menuOrId)
{
    return CreateWindowExA(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, menuOrId, GetModuleHandleA(nullptr), this) != nullptr;
}

WNDPROC CWnd::SetProcedure(HWND hwnd, WNDPROC procedure, bool unicode)
{
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, value)
                                             : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value));
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (hwnd == nullptr)
        return false;
    Attach(hwnd, this);
    // A Unicode control stays one: put in front of it as an ANSI procedure,
    // every character typed into it would make a round trip through the
    // code page, which need not hold it in one message.
    m_unicode = IsWindowUnicode(hwnd) != FALSE;
    m_superProc = SetProcedure(hwnd, &CWnd::StaticWindowProc, m_unicode);
    return m_superProc != nullptr;
}

void CWnd::Attach(HWND hwnd, CWnd* wnd)
{
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
    wnd->m_hWnd = hwnd;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_isDialog)
        return FALSE;
    if (m_superProc != nullptr)
        return CallSuper(m_superProc, m_unicode, m_hWnd, message, wParam, lParam);
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::CallSuper(WNDPROC superProc, bool unicode, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return unicode ? CallWindowProcW(superProc, hwnd, message, wParam, lParam)
                   : CallWindowProcA(superProc, hwnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    ++m_handling;
    const LRESULT result = Handle(message, wParam, lParam);
    if (--m_handling == 0 && m_deletePending)
        delete this;
    return result;
}

LRESULT CWnd::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NCDESTROY)
        return WindowProc(message, wParam, lParam);
    // The last message: the object lets go of the window before passing it on.
    const HWND hwnd = m_hWnd;
    const WNDPROC superProc = m_superProc;
    const bool unicode = m_unicode;
    const bool isDialog = m_isDialog;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (superProc != nullptr)
        SetProcedure(hwnd, superProc, unicode);
    m_hWnd = nullptr;
    m_superProc = nullptr;
    OnNcDestroyed();
    if (isDialog)
        return FALSE;
    return superProc != nullptr ? CallSuper(superProc, unicode, hwnd, message, wParam, lParam)
                                : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        if (auto* wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams))
            Attach(hwnd, wnd);
    }
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return wnd->Dispatch(message, wParam, lParam);
}

INT_PTR CALLBACK CWnd::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        if (auto* wnd = reinterpret_cast<CWnd*>(lParam)) {
            Attach(hwnd, wnd);
            wnd->m_isDialog = true;
        }
    }
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd == nullptr)
        return FALSE;
    // A dialog's WindowProc answers as a dialog procedure does: TRUE when
    // handled, results other than that set with SetWindowLongPtr(DWLP_MSGRESULT).
    return static_cast<INT_PTR>(wnd->Dispatch(message, wParam, lParam));
}
