// The Browsers Configuration dialog.
#pragma once

#include "framework/CDialog.h"

#include <string>

class IPrompt;

// "Browsers Configuration": the program paths of the three named browsers,
// typed or chosen with Browse. The paths hold what the fields held at OK;
// after Cancel they are as they were given.
class CBrowsersDlg : public CDialog {
public:
    CBrowsersDlg(HWND parent, IPrompt& prompt);

    std::string msiePath;
    std::string nnPath;
    std::string customPath;

protected:
    bool OnCommand(UINT id, UINT notifyCode) override;

private:
    // A file dialog titled by string `title`; its choice replaces the field's text.
    void OnBrowse(int field, UINT title);

    IPrompt& m_prompt;
};
