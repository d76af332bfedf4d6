// One page of a property sheet.
#include "framework/CPropertyPage.h"

// The third version of the record (comctl32 6 takes it), as each Windows lays it out.
static_assert(sizeof(PROPSHEETPAGEA) == (sizeof(void*) == 4 ? 52 : 96), "property page record size");

PROPSHEETPAGEA CPropertyPage::SheetPage()
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(m_templateId);
    page.pfnDlgProc = &CPropertyPage::PageDialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        lParam = reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam;
    return DialogProc(hwnd, message, wParam, lParam);
}

bool CPropertyPage::OnInitDialog()
{
    FillControls();
    return true;
}

void CPropertyPage::FillControls()
{
    // Filling the controls is no edit of the user's: Apply stays as it is.
    m_filling = true;
    UpdateData(false);
    m_filling = false;
}

void CPropertyPage::OnSetActive()
{
    if (m_shown)
        FillControls();
    m_shown = true;
}

void CPropertyPage::OnKillActive()
{
    UpdateData(true);
}

bool CPropertyPage::OnCommand(UINT, UINT notifyCode)
{
    if (notifyCode != EN_CHANGE)
        return false;
    if (!m_filling)
        PropSheet_Changed(Sheet(), m_hWnd);
    return true;
}

void CPropertyPage::OnSheetNotify(UINT code)
{
    switch (code) {
    case PSN_SETACTIVE:
        // After Apply the sheet says so again to the page on show; that
        // page does not become active, it already is.
        if (!IsWindowVisible(m_hWnd))
            OnSetActive();
        break;
    case PSN_KILLACTIVE:
        OnKillActive();
        break;
    case PSN_APPLY:
        OnOK();
        break;
    case PSN_RESET:
        OnCancel();
        break;
    }
}

LRESULT CPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // OK and Cancel belong to the sheet. Escape in a multi-line edit
        // arrives here as Cancel; taken alone it would cancel this page and
        // leave the sheet open on a bookmark it no longer edits.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            PostMessageA(Sheet(), PSM_PRESSBUTTON, LOWORD(wParam) == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
            return TRUE;
        }
        break;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != Sheet())
            break;
        OnSheetNotify(header->code);
        // Every answer is "go on": pages accept activation, leaving and applying.
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
