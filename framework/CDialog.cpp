// Dialogs from dialog resources, modal or modeless.
#include "framework/CDialog.h"

#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"
#include "framework/Dpi.h"
#include "settings/WindowRect.h"

#include <algorithm>

namespace {

IProfile* AppProfile()
{
    CWinApp* app = CWinApp::Current();
    return app != nullptr && app->HasProfile() ? &app->Profile() : nullptr;
}

// The work area of the monitor `rect` lies most on.
RECT WorkAreaOf(const RECT& rect)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

// `rect` moved, and shrunk where it must, down to `smallest`, into `area`.
void FitInto(RECT& rect, const RECT& area, SIZE smallest)
{
    const LONG width = std::max(smallest.cx, std::min(rect.right - rect.left, area.right - area.left));
    const LONG height = std::max(smallest.cy, std::min(rect.bottom - rect.top, area.bottom - area.top));
    const LONG left = std::max(area.left, std::min(rect.left, area.right - width));
    const LONG top = std::max(area.top, std::min(rect.top, area.bottom - height));
    rect = {left, top, left + width, top + height};
}

} // namespace

CDialog::~CDialog()
{
    if (m_modeless && m_hWnd != nullptr && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal()
{
    const ModalScope modal;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), m_parent, &CWnd::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create()
{
    m_modeless = true;
    if (CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), m_parent, &CWnd::DialogProc,
                           reinterpret_cast<LPARAM>(this)) == nullptr)
        return false;
    m_modelessWindow = m_hWnd;
    CWinApp::AddModelessDialog(m_hWnd, m_frameCommands);
    ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

bool CDialog::Open()
{
    if (m_hWnd != nullptr) {
        ShowWindow(m_hWnd, SW_SHOW);
        SetActiveWindow(m_hWnd);
        return true;
    }
    return Create();
}

MessageAnswer CDialog::AskDisabled(IPrompt& prompt, const std::string& text, MessageStyle style)
{
    EnableWindow(m_hWnd, FALSE);
    const MessageAnswer answer = prompt.ShowMessage(text, style);
    // Closed meanwhile (the program ended under the box): nothing was agreed to.
    if (m_hWnd == nullptr)
        return MessageAnswer::Cancel;
    EnableWindow(m_hWnd, TRUE);
    SetActiveWindow(m_hWnd);
    return answer;
}

void CDialog::OnNcDestroyed()
{
    CWinApp::RemoveModelessDialog(m_modelessWindow);
    m_modelessWindow = nullptr;
}

void CDialog::SetResizable(std::vector<ControlFollow> layout, const char* placementEntry)
{
    m_resizable = true;
    m_layout = std::move(layout);
    m_placementEntry = placementEntry;
}

void CDialog::OnResizableInit()
{
    RECT window;
    GetWindowRect(m_hWnd, &window);
    m_minSize = {window.right - window.left, window.bottom - window.top};
    RECT client;
    GetClientRect(m_hWnd, &client);
    m_layoutSize = {client.right, client.bottom};
    m_dpi = WindowDpi(m_hWnd);
    if (m_modeless)
        RestorePlacement();
}

void CDialog::LayoutControls()
{
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int dx = client.right - m_layoutSize.cx;
    const int dy = client.bottom - m_layoutSize.cy;
    const bool known = m_layoutSize.cx > 0;
    m_layoutSize = {client.right, client.bottom};
    if (!known || (dx == 0 && dy == 0))
        return;
    for (const ControlFollow& control : m_layout) {
        const HWND window = GetDlgItem(m_hWnd, control.controlId);
        if (window == nullptr)
            continue;
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        if ((control.follow & kMoveRight) != 0)
            OffsetRect(&rect, dx, 0);
        else if ((control.follow & kGrowRight) != 0)
            rect.right += dx;
        if ((control.follow & kMoveDown) != 0)
            OffsetRect(&rect, 0, dy);
        else if ((control.follow & kGrowDown) != 0)
            rect.bottom += dy;
        SetWindowPos(window, nullptr, rect.left, rect.top, std::max(0L, rect.right - rect.left),
                     std::max(0L, rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // What moved leaves its old place to be painted.
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CDialog::RestorePlacement()
{
    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    WindowRect saved;
    IProfile* profile = AppProfile();
    RECT wanted = {};
    if (profile != nullptr && m_placementEntry != nullptr && ReadWindowRect(*profile, m_placementEntry, saved))
        wanted = {saved.left, saved.top, saved.right, saved.bottom};
    // A place on no monitor any more (one since unplugged) is forgotten.
    if (!IsRectEmpty(&wanted) && MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL) != nullptr) {
        rect = wanted;
    } else {
        // Over the panes, a little in, so that the menu and toolbar stay in view.
        const CFrameWnd* frame = CFrameWnd::FromHandle(m_parent);
        const HWND frameWindow = frame != nullptr ? frame->GetSafeHwnd() : nullptr;
        if (frameWindow != nullptr && IsWindowVisible(frameWindow) && !IsIconic(frameWindow)) {
            const RECT content = frame->ContentScreenRect();
            const int inset = ScaleForDpi(16, m_dpi);
            OffsetRect(&rect, content.left + inset - rect.left, content.top + inset - rect.top);
        }
    }
    FitInto(rect, WorkAreaOf(rect), m_minSize);
    SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::SavePlacement()
{
    IProfile* profile = AppProfile();
    if (profile == nullptr || m_placementEntry == nullptr || !m_modeless)
        return;
    RECT rect;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (IsIconic(m_hWnd) && GetWindowPlacement(m_hWnd, &placement)) {
        // In workspace coordinates, off the screen's by a taskbar at the top or left.
        rect = placement.rcNormalPosition;
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info))
            OffsetRect(&rect, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    } else {
        GetWindowRect(m_hWnd, &rect);
    }
    WriteWindowRect(*profile, m_placementEntry,
                    {static_cast<int32_t>(rect.left), static_cast<int32_t>(rect.top), static_cast<int32_t>(rect.right),
                     static_cast<int32_t>(rect.bottom)});
}

void CDialog::BindText(int controlId, std::string& value)
{
    m_textBindings.push_back({controlId, &value});
}

void CDialog::UpdateData(bool saveAndValidate)
{
    for (const TextBinding& binding : m_textBindings) {
        if (saveAndValidate)
            *binding.value = GetDialogItemText(m_hWnd, binding.controlId);
        else
            SetDlgItemTextA(m_hWnd, binding.controlId, binding.value->c_str());
    }
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    UpdateData(true);
    if (m_modeless)
        DestroyWindow(m_hWnd);
    else
        EndDialog(m_hWnd, IDOK);
}

void CDialog::OnCancel()
{
    if (m_modeless)
        DestroyWindow(m_hWnd);
    else
        EndDialog(m_hWnd, IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // Placed first, so that the dialog's own start sees its controls' sizes.
        if (m_resizable)
            OnResizableInit();
        return OnInitDialog() ? TRUE : FALSE;
    case WM_SIZE:
        if (m_resizable && wParam != SIZE_MINIMIZED)
            LayoutControls();
        break;
    case WM_GETMINMAXINFO:
        if (m_resizable && m_minSize.cx > 0) {
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {m_minSize.cx, m_minSize.cy};
            return TRUE;
        }
        break;
    case WM_DPICHANGED:
        // The dialog manager scales the window and its controls alike: the
        // next size is the one they are placed for.
        if (m_resizable) {
            const UINT dpi = LOWORD(wParam);
            m_minSize = {RescaleDpi(m_minSize.cx, m_dpi, dpi), RescaleDpi(m_minSize.cy, m_dpi, dpi)};
            m_dpi = dpi;
            m_layoutSize = {};
        }
        break;
    case WM_DESTROY:
        if (m_resizable)
            SavePlacement();
        break;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return OnCommand(id, HIWORD(wParam)) ? TRUE : FALSE;
    }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::string GetDialogItemText(HWND dialog, int controlId)
{
    const HWND control = GetDlgItem(dialog, controlId);
    if (control == nullptr)
        return std::string();
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(control, &text[0], static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}
