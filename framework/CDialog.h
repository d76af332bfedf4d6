// Dialogs from dialog resources, modal or modeless.
#pragma once

#include "framework/CWnd.h"
#include "store/Prompt.h"

#include <string>
#include <utility>
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
    // Create, or brings the one already open forward.
    bool Open();
    bool IsModeless() const { return m_modeless; }
    // Asks through `prompt` with this dialog disabled meanwhile, as a box of
    // its own would keep it, so no second command starts while it is open.
    // Cancel when the dialog was closed before the answer came.
    MessageAnswer AskDisabled(IPrompt& prompt, const std::string& text, MessageStyle style);

    // How a control of a resizable dialog follows the dialog's right and
    // bottom edges; the edges not named keep their place from the left and top.
    enum Follow : UINT {
        kMoveRight = 1,  // both its left and right edges
        kMoveDown = 2,
        kGrowRight = 4,  // its right edge only
        kGrowDown = 8,
    };
    struct ControlFollow {
        int controlId;
        UINT follow;
    };

protected:
    // Makes the dialog resizable, no smaller than its template, its controls
    // following as `layout` says. The modeless window's place and size are
    // kept in the settings under `placementEntry` from one opening (and run)
    // to the next; the first time it opens over the owner frame's panes.
    void SetResizable(std::vector<ControlFollow> layout, const char* placementEntry);
    // The owner frame's keys of these commands work in the modeless dialog too.
    void SetFrameCommands(std::vector<UINT> commands) { m_frameCommands = std::move(commands); }

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
    void OnResizableInit();
    void LayoutControls();
    // Back where it was last closed, else over the owner frame's panes.
    void RestorePlacement();
    void SavePlacement();

    bool m_modeless = false;
    std::vector<UINT> m_frameCommands;
    std::vector<ControlFollow> m_layout;
    bool m_resizable = false;
    const char* m_placementEntry = nullptr;
    SIZE m_minSize = {};     // the template's, in pixels at m_dpi
    SIZE m_layoutSize = {};  // the client size the controls are placed for; 0 wide when not known
    UINT m_dpi = 0;
    HWND m_modelessWindow = nullptr;  // kept past WM_NCDESTROY, which clears m_hWnd
    struct TextBinding {
        int controlId;
        std::string* value;
    };
    std::vector<TextBinding> m_textBindings;
};

// The text of a dialog control, whole however long.
std::string GetDialogItemText(HWND dialog, int controlId);
