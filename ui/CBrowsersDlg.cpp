#include "ui/CBrowsersDlg.h"

#include "res/resource.h"
#include "store/Prompt.h"

CBrowsersDlg::CBrowsersDlg(HWND parent, IPrompt& prompt) : CDialog(IDD_BROWSERS, parent), m_prompt(prompt)
{
    BindText(IDC_MSIE_PATH, msiePath);
    BindText(IDC_NN_PATH, nnPath);
    BindText(IDC_CUSTOM_PATH, customPath);
}

bool CBrowsersDlg::OnCommand(UINT id, UINT notifyCode)
{
    if (notifyCode != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_BROWSE_MSIE: OnBrowse(IDC_MSIE_PATH, "Browse for Microsoft Internet Explorer"); return true;
    case IDC_BROWSE_NN: OnBrowse(IDC_NN_PATH, "Browse for Netscape Navigator"); return true;
    case IDC_BROWSE_CUSTOM: OnBrowse(IDC_CUSTOM_PATH, "Browse for Custom Browser"); return true;
    }
    return false;
}

void CBrowsersDlg::OnBrowse(int field, const char* title)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = "Executables|*.exe|";
    std::string path;
    // The file dialog belongs to the frame; this dialog waits for it as if
    // it were its own.
    EnableWindow(m_hWnd, FALSE);
    const bool chosen = m_prompt.ChooseFile(request, path);
    EnableWindow(m_hWnd, TRUE);
    SetActiveWindow(m_hWnd);
    if (chosen)
        SetDlgItemTextA(m_hWnd, field, path.c_str());
}
