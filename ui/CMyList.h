#pragma once

#include "framework/CView.h"

#include <commctrl.h>

class CMB15Doc;

// The group pane: the left list of group names.
class CMyList : public CView {
public:
    explicit CMyList(CMB15Doc& document);
    ~CMyList() override;

    void OnUpdate() override;

protected:
    DWORD PreCreateStyle(DWORD style) override;
    bool OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HIMAGELIST m_imageList = nullptr;
    HFONT m_font = nullptr;
};

// Set once, by the first group pane made.
extern CMyList* theGroupPane;

// The background-erase handler of both panes: gives the control the colours
// in effect (system, custom or scheme) before it erases.
void PaneColours(HWND list);
// The system's icon-title font in the default character set, as both panes
// and the About box show their texts.
HFONT CreateIconTitleFont();
