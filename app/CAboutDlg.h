#pragma once

#include <windows.h>

// "&About Linkhive...": the program icon, its name and build date, OK.
class CAboutDlg {
public:
    static void DoModal(HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
