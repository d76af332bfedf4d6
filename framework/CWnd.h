// The one window base and its window procedure.
#pragma once

#include <windows.h>

#include <memory>

// The one window base. Windows of our own classes, dialogs and subclassed
// controls all reach their object's WindowProc through the procedures here,
// which keep `this` in the window's user data from its first message.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object behind a window made, subclassed or shown through this base.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // Deletes `wnd`. While one of its own messages is being handled (a box
    // it shows runs a message loop, in which its owner may close), the
    // window goes now and the object when that handler has returned.
    static void SafeDelete(CWnd* wnd);

protected:
    // Registers a window class of ours once, with the common procedure.
    static bool RegisterWindowClass(const char* className, HICON icon, HCURSOR cursor, HBRUSH background);
    // Creates a window of a class registered above, this object behind it.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect,
                  HWND parent, HMENU menuOrId);
    // Puts this object in front of an existing control's own procedure.
    bool SubclassWindow(HWND hwnd);

    // Every message of the window; the base passes it to Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window would do without us: the control's own procedure,
    // DefWindowProc, or for a dialog FALSE (the dialog manager's default).
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // The window is gone and this object no longer behind it.
    virtual void OnNcDestroyed() {}

    // The dialog procedure of every dialog and property page: `this` comes
    // with the init message's parameter.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void Attach(HWND hwnd, CWnd* wnd);
    // The window's procedure set in the form, ANSI or Unicode, it is called in.
    static WNDPROC SetProcedure(HWND hwnd, WNDPROC procedure, bool unicode);
    static LRESULT CallSuper(WNDPROC superProc, bool unicode, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_superProc = nullptr;
    bool m_unicode = false;  // a subclassed Unicode control, whose messages stay Unicode
    bool m_isDialog = false;
    int m_handling = 0;  // messages of this object being handled, one inside another
    bool m_deletePending = false;
};

// Owns a window object as unique_ptr does, deleting it through SafeDelete.
struct CWndDeleter {
    void operator()(CWnd* wnd) const { CWnd::SafeDelete(wnd); }
};
template <typename T>
using CWndPtr = std::unique_ptr<T, CWndDeleter>;
