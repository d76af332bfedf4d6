// Driving open dialogs and property sheets as a user would.
#include "tests/framework/DialogDriver.h"

#include "framework/CDialog.h"

#include <commctrl.h>

namespace {

// The Apply button of every property sheet.
const int kApplyButton = 0x3021;

// How long a dialog may take to close after the last step, on a loaded
// machine too.
const DWORD kMillisecondsToClose = 10000;

DialogDriver* theDriver = nullptr;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(hwnd, className, sizeof className);
    // A modeless dialog beside the modal one waits, disabled, for it.
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

DialogDriver::DialogDriver(std::vector<SheetStep> steps) : m_steps(std::move(steps))
{
    theDriver = this;
    m_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &DialogDriver::OnTimer);
}

DialogDriver::~DialogDriver()
{
    KillTimer(nullptr, m_timer);
    if (theDriver == this)
        theDriver = nullptr;
}

void CALLBACK DialogDriver::OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (theDriver != nullptr && theDriver->m_timer == timer)
        theDriver->Tick();
}

void DialogDriver::Tick()
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    if (m_next == m_steps.size()) {
        if (!m_waiting) {
            m_waiting = true;
            m_waitingSince = GetTickCount();
        }
        if (GetTickCount() - m_waitingSince < kMillisecondsToClose)
            return;
        m_leftOpen = true;
        if (PropSheet_GetTabControl(dialog) != nullptr)
            PropSheet_PressButton(dialog, PSBTN_CANCEL);
        else
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    char caption[256] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    m_caption = caption;
    m_steps[m_next++](dialog);
}

void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

SheetStep Type(int controlId, const std::string& text)
{
    return [controlId, text](HWND sheet) { SetDlgItemTextA(PropSheet_GetCurrentPageHwnd(sheet), controlId, text.c_str()); };
}

SheetStep ShowPage(int index)
{
    return [index](HWND sheet) { PropSheet_SetCurSel(sheet, nullptr, index); };
}

SheetStep Press(int button)
{
    return [button](HWND sheet) { PropSheet_PressButton(sheet, button); };
}

std::string PageText(HWND sheet, int controlId)
{
    return GetDialogItemText(PropSheet_GetCurrentPageHwnd(sheet), controlId);
}

bool ApplyEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}
