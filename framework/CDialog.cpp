#include "framework/CDialog.h"

#include "framework/CWinApp.h"

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
    CWinApp::AddModelessDialog(m_hWnd);
    ShowWindow(m_hWnd, SW_SHOW);
    return true;
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
        return OnInitDialog() ? TRUE : FALSE;
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
