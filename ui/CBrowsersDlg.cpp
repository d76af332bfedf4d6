// The Browsers Configuration dialog.
#include "ui/CBrowsersDlg.h"

#include "framework/CFrameWnd.h"
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
    case IDC_BROWSE_MSIE: OnBrowse(IDC_MSIE_PATH, IDS_BROWSE_MSIE); return true;
    case IDC_BROWSE_NN: OnBrowse(IDC_NN_PATH, IDS_BROWSE_NN); return true;
    case IDC_BROWSE_CUSTOM: OnBrowse(IDC_CUSTOM_PATH, IDS_BROWSE_CUSTOM); return true;
    }
    return false;
}

void CBrowsersDlg::OnBrowse(int field, UINT title)
{
    FileDialogRequest request;
    request.title = LoadResourceString(title);
    request.filter = LoadResourceString(IDS_BROWSE_FILTER);
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
