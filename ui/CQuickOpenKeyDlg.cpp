// The dialog that records the Quick Open key.
#include "ui/CQuickOpenKeyDlg.h"

#include "res/resource.h"

#include <commctrl.h>

CQuickOpenKeyDlg::CQuickOpenKeyDlg(HWND owner, uint32_t key) : CDialog(IDD_QUICK_OPEN_KEY, owner), m_key(key) {}

bool CQuickOpenKeyDlg::OnInitDialog()
{
    const HWND control = GetDlgItem(m_hWnd, IDC_QUICK_OPEN_KEY);
    // A key alone, or with Shift only, would be taken from every program's typing.
    SendMessageA(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendMessageA(control, HKM_SETHOTKEY, m_key & 0xFFFF, 0);
    CDialog::OnInitDialog();
    SetFocus(control);
    return false;
}

void CQuickOpenKeyDlg::OnOK()
{
    m_key = static_cast<uint32_t>(SendDlgItemMessageA(m_hWnd, IDC_QUICK_OPEN_KEY, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    CDialog::OnOK();
}

bool CQuickOpenKeyDlg::OnCommand(UINT id, UINT notifyCode)
{
    if (id == IDC_QUICK_OPEN_NONE && notifyCode == BN_CLICKED) {
        SendDlgItemMessageA(m_hWnd, IDC_QUICK_OPEN_KEY, HKM_SETHOTKEY, 0, 0);
        OnOK();
        return true;
    }
    return false;
}

namespace {

std::string KeyName(UINT virtualKey, bool extended)
{
    LONG code = static_cast<LONG>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    if (extended)
        code |= 1 << 24;
    char name[64] = {};
    if (GetKeyNameTextA(code, name, sizeof(name)) > 0)
        return name;
    // A key the keyboard has no name for: its character, or its number.
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, static_cast<char>(virtualKey));
    return "#" + std::to_string(virtualKey);
}

} // namespace

std::string QuickOpenKeyText(uint32_t key)
{
    const UINT modifiers = (key >> 8) & 0xFF;
    std::string text;
    if (modifiers & HOTKEYF_CONTROL)
        text += KeyName(VK_CONTROL, false) + "+";
    if (modifiers & HOTKEYF_ALT)
        text += KeyName(VK_MENU, false) + "+";
    if (modifiers & HOTKEYF_SHIFT)
        text += KeyName(VK_SHIFT, false) + "+";
    return text + KeyName(key & 0xFF, (modifiers & HOTKEYF_EXT) != 0);
}

bool RegisterQuickOpenKey(HWND frame, uint32_t key)
{
    UnregisterHotKey(frame, IDH_QUICK_OPEN);
    if ((key & 0xFF) == 0)
        return true;
    const UINT modifiers = (key >> 8) & 0xFF;
    UINT mod = 0;
    if (modifiers & HOTKEYF_CONTROL)
        mod |= MOD_CONTROL;
    if (modifiers & HOTKEYF_ALT)
        mod |= MOD_ALT;
    if (modifiers & HOTKEYF_SHIFT)
        mod |= MOD_SHIFT;
    return RegisterHotKey(frame, IDH_QUICK_OPEN, mod, key & 0xFF) != FALSE;
}
