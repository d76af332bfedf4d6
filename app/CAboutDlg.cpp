// The About dialog.
#include "app/CAboutDlg.h"

#include "framework/Dpi.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg(HWND owner) : CDialog(IDD_ABOUTBOX, owner) {}

CAboutDlg::~CAboutDlg()
{
    if (m_font != nullptr)
        DeleteObject(m_font);
}

bool CAboutDlg::OnInitDialog()
{
    m_font = CreateSystemFont(SystemFont::IconTitle, WindowDpi(m_hWnd));
    for (const int id : {IDC_ABOUT_NAME, IDC_ABOUT_BUILD})
        SendDlgItemMessageA(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    return CDialog::OnInitDialog();
}
