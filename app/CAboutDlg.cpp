#include "app/CAboutDlg.h"

#include "res/resource.h"
#include "ui/CGroupPane.h"

void CAboutDlg::DoModal(HWND owner)
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, &CAboutDlg::DialogProc, 0);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The dialog owns the font for its lifetime; it goes in WM_DESTROY.
        const HFONT font = CreateIconTitleFont();
        SetPropA(dialog, "LinkhiveFont", font);
        for (const int id : {IDC_ABOUT_NAME, IDC_ABOUT_BUILD})
            SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    case WM_DESTROY:
        if (HANDLE font = RemovePropA(dialog, "LinkhiveFont"))
            DeleteObject(font);
        break;
    }
    return FALSE;
}
