#pragma once

#include "framework/CWnd.h"
#include "store/Prompt.h"

#include <string>
#include <vector>

// A dialog from a dialog resource, modal or modeless. Edit controls are
// bound to strings with BindText: filled when the dialog opens, read back on OK.
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}
    ~CDialog() override;

    // IDOK, IDCANCEL, or -1 when the dialog could not be shown.
    INT_PTR DoModal();
    // Shows the dialog modeless: it lives beside its owner, its keys go
    // through the application's message loop, and OK or Cancel destroy it.
    // False when it could not be made.
    bool Create();
    bool IsModeless() const { return m_modeless; }
    // Asks through `prompt` with this dialog disabled meanwhile, as a box of
    // its own would keep it, so no second command starts while it is open.
    // Cancel when the dialog was closed before the answer came.
    MessageAnswer AskDisabled(IPrompt& prompt, const std::string& text, MessageStyle style);

protected:
    // Binds an edit control to a string for the exchange below.
    void BindText(int controlId, std::string& value);
    // Controls from the bound strings (false) or strings from controls (true).
    void UpdateData(bool saveAndValidate);

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // A command of a control other than OK and Cancel; true when handled.
    virtual bool OnCommand(UINT id, UINT notifyCode)
    {
        (void)id;
        (void)notifyCode;
        return false;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnNcDestroyed() override;

    UINT m_templateId;
    HWND m_parent;

private:
    bool m_modeless = false;
    HWND m_modelessWindow = nullptr;  // kept past WM_NCDESTROY, which clears m_hWnd
    struct TextBinding {
        int controlId;
        std::string* value;
    };
    std::vector<TextBinding> m_textBindings;
};

// The text of a dialog control, whole however long.
std::string GetDialogItemText(HWND dialog, int controlId);
