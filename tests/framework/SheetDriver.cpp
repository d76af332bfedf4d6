#include "tests/framework/SheetDriver.h"

#include "framework/CDialog.h"

#include <commctrl.h>

namespace {

// The Apply button of every property sheet.
const int kApplyButton = 0x3021;

SheetDriver* theDriver = nullptr;

BOOL CALLBACK FindSheet(HWND hwnd, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (IsWindowVisible(hwnd) && lstrcmpA(className, "#32770") == 0 && PropSheet_GetTabControl(hwnd) != nullptr) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

SheetDriver::SheetDriver(std::vector<SheetStep> steps) : m_steps(std::move(steps))
{
    theDriver = this;
    m_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &SheetDriver::OnTimer);
}

SheetDriver::~SheetDriver()
{
    KillTimer(nullptr, m_timer);
    if (theDriver == this)
        theDriver = nullptr;
}

void CALLBACK SheetDriver::OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (theDriver != nullptr && theDriver->m_timer == timer)
        theDriver->Tick();
}

void SheetDriver::Tick()
{
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr)
        return;
    if (m_next == m_steps.size()) {
        m_leftOpen = true;
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
        return;
    }
    char caption[256] = "";
    GetWindowTextA(sheet, caption, sizeof caption);
    m_caption = caption;
    m_steps[m_next++](sheet);
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
