// The About dialog.
#pragma once

#include "framework/CDialog.h"

// "&About Linkhive...": the program icon, its name and build date, OK.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND owner);
    ~CAboutDlg() override;

protected:
    bool OnInitDialog() override;

private:
    HFONT m_font = nullptr;
};
