// The dialog that records the Quick Open key.
#pragma once

#include "framework/CDialog.h"

#include <cstdint>
#include <string>

// "Quick Open Key": records the combination pressed; None turns the key off.
// The key is kept as the preference stores it (Preferences::quickOpenKey).
class CQuickOpenKeyDlg : public CDialog {
public:
    CQuickOpenKeyDlg(HWND owner, uint32_t key);

    uint32_t Key() const { return m_key; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT notifyCode) override;

private:
    uint32_t m_key;
};

// "Ctrl+Alt+B": the key's name as the keyboard names its keys.
std::string QuickOpenKeyText(uint32_t key);
// The key registered as the frame's hot key; false when another program holds it.
bool RegisterQuickOpenKey(HWND frame, uint32_t key);
